#include "frame/HostSuites.h"

const HostBasicSuite* sBasic = nullptr;
uint16_t sSuiteRefCount = 0;

const HostAccessSuite* sAccess = nullptr;
const HostPluginsSuite* sPlugins = nullptr;
const HostNotifierSuite* sNotifier = nullptr;
const HostContextSuite* sContext = nullptr;
const HostUserSuite* sUser = nullptr;
const HostFilePathSuite* sFilePath = nullptr;
const HostFoldersSuite* sFolders = nullptr;

const void* sBlocks = nullptr;
const void* sFiles = nullptr;
const HostUnicodeStringSuite* sUnicodeString = nullptr;
const void* sActionManager = nullptr;
const void* sArray = nullptr;
const HostArtSuite* sArt = nullptr;
const void* sArtboard = nullptr;
const HostArtSetSuite* sArtSet = nullptr;
const void* sArtStyle = nullptr;
const HostATEPaintSuite* sATEPaint = nullptr;
const void* sBlendStyle = nullptr;
const void* sDictionary = nullptr;
const void* sDictionaryIterator = nullptr;
const HostDocumentSuite* sDocument = nullptr;
const HostDocumentViewSuite* sDocumentView = nullptr;
const void* sEntry = nullptr;
const void* sGroup = nullptr;
const HostHardSoftSuite* sHardSoft = nullptr;
const HostLayerSuite* sLayer = nullptr;
const void* sMatchingArt = nullptr;
const void* sMdMemory = nullptr;
const HostMenuSuite* sMenu = nullptr;
const void* sModalParent = nullptr;
const HostPanelSuite* sPanel = nullptr;
const HostPanelFlyoutMenuSuite* sPanelFlyoutMenu = nullptr;
const HostPathSuite* sPath = nullptr;
const HostPathfinderSuite* sPathfinder = nullptr;
const HostPathStyleSuite* sPathStyle = nullptr;
const HostPlacedSuite* sPlaced = nullptr;
const HostPluginSuite* sPlugin = nullptr;
const void* sPluginGroup = nullptr;
const HostPreferenceSuite* sPreference = nullptr;
const HostRasterSuite* sRaster = nullptr;
const void* sRealBezier = nullptr;
const HostRealMathSuite* sRealMath = nullptr;
const void* sRuntime = nullptr;
const void* sShapeConstruction = nullptr;
const HostTagSuite* sTag = nullptr;
const HostTextFrameSuite* sTextFrame = nullptr;
const HostTransformArtSuite* sTransformArt = nullptr;
const HostUserInterfaceThemeSuite* sUserInterfaceTheme = nullptr;
const void* sURL = nullptr;
const void* sATEApplicationPaint = nullptr;
const void* sATECompFont = nullptr;
const void* sATECompFontClass = nullptr;
const void* sATECompFontClassSet = nullptr;
const void* sATECompFontComponent = nullptr;
const void* sATECompFontSet = nullptr;
const void* sATEGlyphRun = nullptr;
const void* sATEGlyphRunsIterator = nullptr;
const void* sATEListStyle = nullptr;
const void* sATEListStyleSet = nullptr;
const void* sATEMojiKumi = nullptr;
const void* sATEMojiKumiSet = nullptr;
const ATETextFrameSuite* sATETextFrame = nullptr;
const void* sATETextFramesIterator = nullptr;
const void* sATETextLine = nullptr;
const void* sATETextLinesIterator = nullptr;
const void* sATETextResources = nullptr;
const void* sATEApplicationTextResources = nullptr;
const void* sATEDocumentTextResources = nullptr;
const void* sATEVersionInfo = nullptr;
const void* sATEArrayApplicationPaintRef = nullptr;
const void* sATEArrayReal = nullptr;
const void* sATEArrayBool = nullptr;
const void* sATEArrayInteger = nullptr;
const void* sATEArrayLineCapType = nullptr;
const void* sATEArrayFigureStyle = nullptr;
const void* sATEArrayLineJoinType = nullptr;
const void* sATEArrayWariChuJustification = nullptr;
const void* sATEArrayStyleRunAlignment = nullptr;
const void* sATEArrayAutoKernType = nullptr;
const void* sATEArrayBaselineDirection = nullptr;
const void* sATEArrayLanguage = nullptr;
const void* sATEArrayFontCapsOption = nullptr;
const void* sATEArrayFontBaselineOption = nullptr;
const void* sATEArrayFontOpenTypePositionOption = nullptr;
const void* sATEArrayUnderlinePosition = nullptr;
const void* sATEArrayStrikethroughPosition = nullptr;
const void* sATEArrayParagraphJustification = nullptr;
const void* sATEArrayArrayReal = nullptr;
const void* sATEArrayBurasagariType = nullptr;
const void* sATEArrayPreferredKinsokuOrder = nullptr;
const void* sATEArrayKinsokuRef = nullptr;
const void* sATEArrayListStyleRef = nullptr;
const void* sATEArrayListStyleSetRef = nullptr;
const void* sATEArrayMojiKumiRef = nullptr;
const void* sATEArrayMojiKumiSetRef = nullptr;
const void* sATEArrayTabStopsRef = nullptr;
const void* sATEArrayLeadingType = nullptr;
const void* sATEArrayFontRef = nullptr;
const void* sATEArrayGlyphID = nullptr;
const void* sATEArrayRealPoint = nullptr;
const void* sATEArrayRealMatrix = nullptr;
const void* sATEArrayParagraphDirection = nullptr;
const void* sATEArrayJustificationMethod = nullptr;
const void* sATEArrayKashidaWidth = nullptr;
const void* sATEArrayKashidas = nullptr;
const void* sATEArrayDirOverride = nullptr;
const void* sATEArrayDigitSet = nullptr;
const void* sATEArrayDiacVPos = nullptr;
const ATECharFeaturesSuite* sATECharFeatures = nullptr;
const void* sATECharInspector = nullptr;
const void* sATECharStyle = nullptr;
const void* sATECharStyles = nullptr;
const void* sATECharStylesIterator = nullptr;
const void* sATEFind = nullptr;
const void* sATEFont = nullptr;
const void* sATEGlyph = nullptr;
const void* sATEGlyphs = nullptr;
const void* sATEGlyphsIterator = nullptr;
const void* sATEKinsoku = nullptr;
const void* sATEKinsokuSet = nullptr;
const ATEParaFeaturesSuite* sATEParaFeatures = nullptr;
const void* sATEParagraph = nullptr;
const void* sATEParagraphsIterator = nullptr;
const void* sATEParaInspector = nullptr;
const void* sATEParaStyle = nullptr;
const void* sATEParaStyles = nullptr;
const void* sATEParaStylesIterator = nullptr;
const void* sATESpell = nullptr;
const void* sATEStories = nullptr;
const void* sATEStory = nullptr;
const void* sATETabStop = nullptr;
const void* sATETabStops = nullptr;
const void* sATETabStopsIterator = nullptr;
const ATETextRangeSuite* sATETextRange = nullptr;
const void* sATETextRanges = nullptr;
const void* sATETextRangesIterator = nullptr;
const ATETextRunsIteratorSuite* sATETextRunsIterator = nullptr;
const void* sATEWordsIterator = nullptr;
const void* sATEArrayLine = nullptr;
const void* sATEArrayComposerEngine = nullptr;

namespace {

constexpr HostSuiteEntry kHostSuites[] = {
    // The frame's list.
    {kHostAccessSuite, kHostAccessSuiteVersion, SuiteGlobal<sAccess>()},
    {kHostPluginsSuite, kHostPluginsSuiteVersion, SuiteGlobal<sPlugins>()},
    {kHostNotifierSuite, kHostNotifierSuiteVersion, SuiteGlobal<sNotifier>()},
    {kHostContextSuite, kHostContextSuiteVersion, SuiteGlobal<sContext>()},
    {kHostUserSuite, kHostUserSuiteVersion, SuiteGlobal<sUser>()},
    {kHostFilePathSuite, kHostFilePathSuiteVersion, SuiteGlobal<sFilePath>()},
    {kHostFoldersSuite, kHostFoldersSuiteVersion, SuiteGlobal<sFolders>()},
    {nullptr, 0, {}},
    // The plug-in's list.
    {"SP Blocks Suite", 2, SuiteGlobal<sBlocks>()},
    {"SP Files Suite", 4, SuiteGlobal<sFiles>()},
    {kHostUnicodeStringSuite, kHostUnicodeStringSuiteVersion, SuiteGlobal<sUnicodeString>()},
    {"AI Action Manager Suite", 5, SuiteGlobal<sActionManager>()},
    {"AI Array Suite", 6, SuiteGlobal<sArray>()},
    {"AI Art Suite", 21, SuiteGlobal<sArt>()},
    {"AI Artboard Suite", 6, SuiteGlobal<sArtboard>()},
    {"AI Art Set Suite", 9, SuiteGlobal<sArtSet>()},
    {"AI Art Style Suite", 8, SuiteGlobal<sArtStyle>()},
    {"AIATE Paint Suite", 3, SuiteGlobal<sATEPaint>()},
    {"AI Blend Style Suite", 5, SuiteGlobal<sBlendStyle>()},
    {"AI Dictionary Suite", 10, SuiteGlobal<sDictionary>()},
    {"AI Dictionary Iterator Suite", 5, SuiteGlobal<sDictionaryIterator>()},
    {"AI Document Suite", 20, SuiteGlobal<sDocument>()},
    {"AI Document View Suite", 15, SuiteGlobal<sDocumentView>()},
    {"AI Entry Suite", 7, SuiteGlobal<sEntry>()},
    {"AI Group Suite", 5, SuiteGlobal<sGroup>()},
    {"AI Hard Soft Suite", 6, SuiteGlobal<sHardSoft>()},
    {"AI Layer Suite", 13, SuiteGlobal<sLayer>()},
    {"AI Matching Art Suite", 7, SuiteGlobal<sMatchingArt>()},
    {"AI MdMemory Suite", 3, SuiteGlobal<sMdMemory>()},
    {kHostMenuSuite, kHostMenuSuiteVersion, SuiteGlobal<sMenu>()},
    {"AI Modal Parent Suite", 2, SuiteGlobal<sModalParent>()},
    {kHostPanelSuite, kHostPanelSuiteVersion, SuiteGlobal<sPanel>()},
    {kHostPanelFlyoutMenuSuite, kHostPanelFlyoutMenuSuiteVersion, SuiteGlobal<sPanelFlyoutMenu>()},
    {"AI Path Suite", 12, SuiteGlobal<sPath>()},
    {"AI Pathfinder Suite", 7, SuiteGlobal<sPathfinder>()},
    {"AI Path Style Suite", 14, SuiteGlobal<sPathStyle>()},
    {"AI Placed Suite", 10, SuiteGlobal<sPlaced>()},
    {"AI Plugin Suite", 5, SuiteGlobal<sPlugin>()},
    {"AI Plugin Group Suite", 6, SuiteGlobal<sPluginGroup>()},
    {"AI Preference Suite", 7, SuiteGlobal<sPreference>()},
    {"AI Raster Suite", 10, SuiteGlobal<sRaster>()},
    {"AI Real Bezier Suite", 4, SuiteGlobal<sRealBezier>()},
    {"AI Real Math Suite", 5, SuiteGlobal<sRealMath>()},
    {"AI Runtime Suite", 14, SuiteGlobal<sRuntime>()},
    {"AI Shape Construction Suite", 8, SuiteGlobal<sShapeConstruction>()},
    {"AI Tag Suite", 4, SuiteGlobal<sTag>()},
    {"AI Text Frame Suite", 4, SuiteGlobal<sTextFrame>()},
    {"AI Transform Art Suite", 3, SuiteGlobal<sTransformArt>()},
    {kHostUserInterfaceThemeSuite, kHostUserInterfaceThemeSuiteVersion,
     SuiteGlobal<sUserInterfaceTheme>()},
    {"AI URL Suite", 3, SuiteGlobal<sURL>()},
    {"ATE ApplicationPaint Suite", 1, SuiteGlobal<sATEApplicationPaint>()},
    {"ATE CompFont Suite", 1, SuiteGlobal<sATECompFont>()},
    {"ATE CompFontClass Suite", 1, SuiteGlobal<sATECompFontClass>()},
    {"ATE CompFontClassSet Suite", 1, SuiteGlobal<sATECompFontClassSet>()},
    {"ATE CompFontComponent Suite", 1, SuiteGlobal<sATECompFontComponent>()},
    {"ATE CompFontSet Suite", 1, SuiteGlobal<sATECompFontSet>()},
    {"ATE GlyphRun Suite", 2, SuiteGlobal<sATEGlyphRun>()},
    {"ATE GlyphRunsIterator Suite", 1, SuiteGlobal<sATEGlyphRunsIterator>()},
    {"ATE ListStyle Suite", 1, SuiteGlobal<sATEListStyle>()},
    {"ATE ListStyleSet Suite", 1, SuiteGlobal<sATEListStyleSet>()},
    {"ATE MojiKumi Suite", 1, SuiteGlobal<sATEMojiKumi>()},
    {"ATE MojiKumiSet Suite", 1, SuiteGlobal<sATEMojiKumiSet>()},
    {"ATE TextFrame Suite", 101, SuiteGlobal<sATETextFrame>()},
    {"ATE TextFramesIterator Suite", 1, SuiteGlobal<sATETextFramesIterator>()},
    {"ATE TextLine Suite", 2, SuiteGlobal<sATETextLine>()},
    {"ATE TextLinesIterator Suite", 1, SuiteGlobal<sATETextLinesIterator>()},
    {"ATE TextResources Suite", 1, SuiteGlobal<sATETextResources>()},
    {"ATE ApplicationTextResources Suite", 2, SuiteGlobal<sATEApplicationTextResources>()},
    {"ATE DocumentTextResources Suite", 102, SuiteGlobal<sATEDocumentTextResources>()},
    {"ATE VersionInfo Suite", 1, SuiteGlobal<sATEVersionInfo>()},
    {"ATE ArrayApplicationPaintRef Suite", 1, SuiteGlobal<sATEArrayApplicationPaintRef>()},
    {"ATE ArrayReal Suite", 1, SuiteGlobal<sATEArrayReal>()},
    {"ATE ArrayBool Suite", 1, SuiteGlobal<sATEArrayBool>()},
    {"ATE ArrayInteger Suite", 1, SuiteGlobal<sATEArrayInteger>()},
    {"ATE ArrayLineCapType Suite", 1, SuiteGlobal<sATEArrayLineCapType>()},
    {"ATE ArrayFigureStyle Suite", 1, SuiteGlobal<sATEArrayFigureStyle>()},
    {"ATE ArrayLineJoinType Suite", 1, SuiteGlobal<sATEArrayLineJoinType>()},
    {"ATE ArrayWariChuJustification Suite", 1, SuiteGlobal<sATEArrayWariChuJustification>()},
    {"ATE ArrayStyleRunAlignment Suite", 1, SuiteGlobal<sATEArrayStyleRunAlignment>()},
    {"ATE ArrayAutoKernType Suite", 1, SuiteGlobal<sATEArrayAutoKernType>()},
    {"ATE ArrayBaselineDirection Suite", 1, SuiteGlobal<sATEArrayBaselineDirection>()},
    {"ATE ArrayLanguage Suite", 1, SuiteGlobal<sATEArrayLanguage>()},
    {"ATE ArrayFontCapsOption Suite", 1, SuiteGlobal<sATEArrayFontCapsOption>()},
    {"ATE ArrayFontBaselineOption Suite", 1, SuiteGlobal<sATEArrayFontBaselineOption>()},
    {"ATE ArrayFontOpenTypePositionOption Suite", 1,
     SuiteGlobal<sATEArrayFontOpenTypePositionOption>()},
    {"ATE ArrayUnderlinePosition Suite", 1, SuiteGlobal<sATEArrayUnderlinePosition>()},
    {"ATE ArrayStrikethroughPosition Suite", 1, SuiteGlobal<sATEArrayStrikethroughPosition>()},
    {"ATE ArrayParagraphJustification Suite", 1, SuiteGlobal<sATEArrayParagraphJustification>()},
    {"ATE ArrayArrayReal Suite", 1, SuiteGlobal<sATEArrayArrayReal>()},
    {"ATE ArrayBurasagariType Suite", 1, SuiteGlobal<sATEArrayBurasagariType>()},
    {"ATE ArrayPreferredKinsokuOrder Suite", 1, SuiteGlobal<sATEArrayPreferredKinsokuOrder>()},
    {"ATE ArrayKinsokuRef Suite", 1, SuiteGlobal<sATEArrayKinsokuRef>()},
    {"ATE ArrayListStyleRef Suite", 1, SuiteGlobal<sATEArrayListStyleRef>()},
    {"ATE ArrayListStyleSetRef Suite", 1, SuiteGlobal<sATEArrayListStyleSetRef>()},
    {"ATE ArrayMojiKumiRef Suite", 1, SuiteGlobal<sATEArrayMojiKumiRef>()},
    {"ATE ArrayMojiKumiSetRef Suite", 1, SuiteGlobal<sATEArrayMojiKumiSetRef>()},
    {"ATE ArrayTabStopsRef Suite", 1, SuiteGlobal<sATEArrayTabStopsRef>()},
    {"ATE ArrayLeadingType Suite", 1, SuiteGlobal<sATEArrayLeadingType>()},
    {"ATE ArrayFontRef Suite", 1, SuiteGlobal<sATEArrayFontRef>()},
    {"ATE ArrayGlyphID Suite", 1, SuiteGlobal<sATEArrayGlyphID>()},
    {"ATE ArrayRealPoint Suite", 1, SuiteGlobal<sATEArrayRealPoint>()},
    {"ATE ArrayRealMatrix Suite", 1, SuiteGlobal<sATEArrayRealMatrix>()},
    {"ATE ArrayParagraphDirection Suite", 1, SuiteGlobal<sATEArrayParagraphDirection>()},
    {"ATE ArrayJustificationMethod Suite", 1, SuiteGlobal<sATEArrayJustificationMethod>()},
    {"ATE ArrayKashidaWidth Suite", 1, SuiteGlobal<sATEArrayKashidaWidth>()},
    {"ATE ArrayKashidas Suite", 1, SuiteGlobal<sATEArrayKashidas>()},
    {"ATE ArrayDirOverride Suite", 1, SuiteGlobal<sATEArrayDirOverride>()},
    {"ATE ArrayDigitSet Suite", 1, SuiteGlobal<sATEArrayDigitSet>()},
    {"ATE ArrayDiacVPos Suite", 1, SuiteGlobal<sATEArrayDiacVPos>()},
    {"ATE CharFeatures Suite", 102, SuiteGlobal<sATECharFeatures>()},
    {"ATE CharInspector Suite", 102, SuiteGlobal<sATECharInspector>()},
    {"ATE CharStyle Suite", 1, SuiteGlobal<sATECharStyle>()},
    {"ATE CharStyles Suite", 1, SuiteGlobal<sATECharStyles>()},
    {"ATE CharStylesIterator Suite", 1, SuiteGlobal<sATECharStylesIterator>()},
    {"ATE Find Suite", 101, SuiteGlobal<sATEFind>()},
    {"ATE Font Suite", 1, SuiteGlobal<sATEFont>()},
    {"ATE Glyph Suite", 1, SuiteGlobal<sATEGlyph>()},
    {"ATE Glyphs Suite", 1, SuiteGlobal<sATEGlyphs>()},
    {"ATE GlyphsIterator Suite", 1, SuiteGlobal<sATEGlyphsIterator>()},
    {"ATE Kinsoku Suite", 1, SuiteGlobal<sATEKinsoku>()},
    {"ATE KinsokuSet Suite", 1, SuiteGlobal<sATEKinsokuSet>()},
    {"ATE ParaFeatures Suite", 102, SuiteGlobal<sATEParaFeatures>()},
    {"ATE Paragraph Suite", 1, SuiteGlobal<sATEParagraph>()},
    {"ATE ParagraphsIterator Suite", 1, SuiteGlobal<sATEParagraphsIterator>()},
    {"ATE ParaInspector Suite", 102, SuiteGlobal<sATEParaInspector>()},
    {"ATE ParaStyle Suite", 1, SuiteGlobal<sATEParaStyle>()},
    {"ATE ParaStyles Suite", 1, SuiteGlobal<sATEParaStyles>()},
    {"ATE ParaStylesIterator Suite", 1, SuiteGlobal<sATEParaStylesIterator>()},
    {"ATE Spell Suite", 102, SuiteGlobal<sATESpell>()},
    {"ATE Stories Suite", 1, SuiteGlobal<sATEStories>()},
    {"ATE Story Suite", 1, SuiteGlobal<sATEStory>()},
    {"ATE TabStop Suite", 1, SuiteGlobal<sATETabStop>()},
    {"ATE TabStops Suite", 1, SuiteGlobal<sATETabStops>()},
    {"ATE TabStopsIterator Suite", 1, SuiteGlobal<sATETabStopsIterator>()},
    {"ATE TextRange Suite", 1, SuiteGlobal<sATETextRange>()},
    {"ATE TextRanges Suite", 1, SuiteGlobal<sATETextRanges>()},
    {"ATE TextRangesIterator Suite", 1, SuiteGlobal<sATETextRangesIterator>()},
    {"ATE TextRunsIterator Suite", 1, SuiteGlobal<sATETextRunsIterator>()},
    {"ATE WordsIterator Suite", 1, SuiteGlobal<sATEWordsIterator>()},
    {"ATE ArrayLine Suite", 1, SuiteGlobal<sATEArrayLine>()},
    {"ATE ArrayComposerEngine Suite", 1, SuiteGlobal<sATEArrayComposerEngine>()},
    // No optional suites: the end entry does not carry kHostOptionalSuitesMarker.
    {nullptr, 0, {}},
};

} // namespace

const std::span<const HostSuiteEntry> HostSuites{kHostSuites};
