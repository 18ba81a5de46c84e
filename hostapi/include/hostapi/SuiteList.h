/* Every suite the module acquires, in the order it acquires them: the one list that the
 * module's suite table, the host's catalogue and the name and version constants below are
 * made from. A row is X(id, constant, name, version, type): the module keeps the table in
 * the global s<id> as a const type* (void when it calls none of the suite's functions);
 * <constant> is the name and <constant>Version the version. */
#ifndef CARTOVEL_HOSTAPI_SUITE_LIST_H
#define CARTOVEL_HOSTAPI_SUITE_LIST_H

/* clang-format off */

/* The frame's list: the suites the module's frame needs before anything else. */
#define HOST_FRAME_SUITES(X) \
    X(Access, kHostAccessSuite, "SP Access Suite", 3, HostAccessSuite) \
    X(Plugins, kHostPluginsSuite, "SP Plug-ins Suite", 6, HostPluginsSuite) \
    X(Notifier, kHostNotifierSuite, "AI Notifier Suite", 4, HostNotifierSuite) \
    X(Context, kHostContextSuite, "AI Context Suite", 10, HostContextSuite) \
    X(User, kHostUserSuite, "AI User Suite", 21, HostUserSuite) \
    X(FilePath, kHostFilePathSuite, "AI File Path Suite", 8, HostFilePathSuite) \
    X(Folders, kHostFoldersSuite, "AI Folders Suite", 5, HostFoldersSuite)

/* The plug-in's list: everything its commands and panels use. */
#define HOST_PLUGIN_SUITES(X) \
    X(Blocks, kHostBlocksSuite, "SP Blocks Suite", 2, void) \
    X(Files, kHostFilesSuite, "SP Files Suite", 4, void) \
    X(UnicodeString, kHostUnicodeStringSuite, "AI Unicode String Suite", 9, HostUnicodeStringSuite) \
    X(ActionManager, kHostActionManagerSuite, "AI Action Manager Suite", 5, void) \
    X(Array, kHostArraySuite, "AI Array Suite", 6, void) \
    X(Art, kHostArtSuite, "AI Art Suite", 21, HostArtSuite) \
    X(Artboard, kHostArtboardSuite, "AI Artboard Suite", 6, void) \
    X(ArtSet, kHostArtSetSuite, "AI Art Set Suite", 9, HostArtSetSuite) \
    X(ArtStyle, kHostArtStyleSuite, "AI Art Style Suite", 8, void) \
    X(ATEPaint, kHostATEPaintSuite, "AIATE Paint Suite", 3, HostATEPaintSuite) \
    X(BlendStyle, kHostBlendStyleSuite, "AI Blend Style Suite", 5, void) \
    X(Dictionary, kHostDictionarySuite, "AI Dictionary Suite", 10, void) \
    X(DictionaryIterator, kHostDictionaryIteratorSuite, "AI Dictionary Iterator Suite", 5, void) \
    X(Document, kHostDocumentSuite, "AI Document Suite", 20, HostDocumentSuite) \
    X(DocumentView, kHostDocumentViewSuite, "AI Document View Suite", 15, HostDocumentViewSuite) \
    X(Entry, kHostEntrySuite, "AI Entry Suite", 7, void) \
    X(Group, kHostGroupSuite, "AI Group Suite", 5, void) \
    X(HardSoft, kHostHardSoftSuite, "AI Hard Soft Suite", 6, HostHardSoftSuite) \
    X(Layer, kHostLayerSuite, "AI Layer Suite", 13, HostLayerSuite) \
    X(MatchingArt, kHostMatchingArtSuite, "AI Matching Art Suite", 7, void) \
    X(MdMemory, kHostMdMemorySuite, "AI MdMemory Suite", 3, void) \
    X(Menu, kHostMenuSuite, "AI Menu Suite", 11, HostMenuSuite) \
    X(ModalParent, kHostModalParentSuite, "AI Modal Parent Suite", 2, void) \
    X(Panel, kHostPanelSuite, "AI Panel Suite", 4, HostPanelSuite) \
    X(PanelFlyoutMenu, kHostPanelFlyoutMenuSuite, "AI Panel Flyout Menu Suite", 2, HostPanelFlyoutMenuSuite) \
    X(Path, kHostPathSuite, "AI Path Suite", 12, HostPathSuite) \
    X(Pathfinder, kHostPathfinderSuite, "AI Pathfinder Suite", 7, HostPathfinderSuite) \
    X(PathStyle, kHostPathStyleSuite, "AI Path Style Suite", 14, HostPathStyleSuite) \
    X(Placed, kHostPlacedSuite, "AI Placed Suite", 10, HostPlacedSuite) \
    X(Plugin, kHostPluginSuite, "AI Plugin Suite", 5, HostPluginSuite) \
    X(PluginGroup, kHostPluginGroupSuite, "AI Plugin Group Suite", 6, void) \
    X(Preference, kHostPreferenceSuite, "AI Preference Suite", 7, HostPreferenceSuite) \
    X(Raster, kHostRasterSuite, "AI Raster Suite", 10, HostRasterSuite) \
    X(RealBezier, kHostRealBezierSuite, "AI Real Bezier Suite", 4, void) \
    X(RealMath, kHostRealMathSuite, "AI Real Math Suite", 5, HostRealMathSuite) \
    X(Runtime, kHostRuntimeSuite, "AI Runtime Suite", 14, void) \
    X(ShapeConstruction, kHostShapeConstructionSuite, "AI Shape Construction Suite", 8, void) \
    X(Tag, kHostTagSuite, "AI Tag Suite", 4, HostTagSuite) \
    X(TextFrame, kHostTextFrameSuite, "AI Text Frame Suite", 4, HostTextFrameSuite) \
    X(TransformArt, kHostTransformArtSuite, "AI Transform Art Suite", 3, HostTransformArtSuite) \
    X(UserInterfaceTheme, kHostUserInterfaceThemeSuite, "AI User Interface Theme Suite", 2, HostUserInterfaceThemeSuite) \
    X(URL, kHostURLSuite, "AI URL Suite", 3, void) \
    X(ATEApplicationPaint, kATEApplicationPaintSuite, "ATE ApplicationPaint Suite", 1, void) \
    X(ATECompFont, kATECompFontSuite, "ATE CompFont Suite", 1, void) \
    X(ATECompFontClass, kATECompFontClassSuite, "ATE CompFontClass Suite", 1, void) \
    X(ATECompFontClassSet, kATECompFontClassSetSuite, "ATE CompFontClassSet Suite", 1, void) \
    X(ATECompFontComponent, kATECompFontComponentSuite, "ATE CompFontComponent Suite", 1, void) \
    X(ATECompFontSet, kATECompFontSetSuite, "ATE CompFontSet Suite", 1, void) \
    X(ATEGlyphRun, kATEGlyphRunSuite, "ATE GlyphRun Suite", 2, void) \
    X(ATEGlyphRunsIterator, kATEGlyphRunsIteratorSuite, "ATE GlyphRunsIterator Suite", 1, void) \
    X(ATEListStyle, kATEListStyleSuite, "ATE ListStyle Suite", 1, void) \
    X(ATEListStyleSet, kATEListStyleSetSuite, "ATE ListStyleSet Suite", 1, void) \
    X(ATEMojiKumi, kATEMojiKumiSuite, "ATE MojiKumi Suite", 1, void) \
    X(ATEMojiKumiSet, kATEMojiKumiSetSuite, "ATE MojiKumiSet Suite", 1, void) \
    X(ATETextFrame, kATETextFrameSuite, "ATE TextFrame Suite", 101, ATETextFrameSuite) \
    X(ATETextFramesIterator, kATETextFramesIteratorSuite, "ATE TextFramesIterator Suite", 1, void) \
    X(ATETextLine, kATETextLineSuite, "ATE TextLine Suite", 2, void) \
    X(ATETextLinesIterator, kATETextLinesIteratorSuite, "ATE TextLinesIterator Suite", 1, void) \
    X(ATETextResources, kATETextResourcesSuite, "ATE TextResources Suite", 1, void) \
    X(ATEApplicationTextResources, kATEApplicationTextResourcesSuite, "ATE ApplicationTextResources Suite", 2, void) \
    X(ATEDocumentTextResources, kATEDocumentTextResourcesSuite, "ATE DocumentTextResources Suite", 102, void) \
    X(ATEVersionInfo, kATEVersionInfoSuite, "ATE VersionInfo Suite", 1, void) \
    X(ATEArrayApplicationPaintRef, kATEArrayApplicationPaintRefSuite, "ATE ArrayApplicationPaintRef Suite", 1, void) \
    X(ATEArrayReal, kATEArrayRealSuite, "ATE ArrayReal Suite", 1, void) \
    X(ATEArrayBool, kATEArrayBoolSuite, "ATE ArrayBool Suite", 1, void) \
    X(ATEArrayInteger, kATEArrayIntegerSuite, "ATE ArrayInteger Suite", 1, void) \
    X(ATEArrayLineCapType, kATEArrayLineCapTypeSuite, "ATE ArrayLineCapType Suite", 1, void) \
    X(ATEArrayFigureStyle, kATEArrayFigureStyleSuite, "ATE ArrayFigureStyle Suite", 1, void) \
    X(ATEArrayLineJoinType, kATEArrayLineJoinTypeSuite, "ATE ArrayLineJoinType Suite", 1, void) \
    X(ATEArrayWariChuJustification, kATEArrayWariChuJustificationSuite, "ATE ArrayWariChuJustification Suite", 1, void) \
    X(ATEArrayStyleRunAlignment, kATEArrayStyleRunAlignmentSuite, "ATE ArrayStyleRunAlignment Suite", 1, void) \
    X(ATEArrayAutoKernType, kATEArrayAutoKernTypeSuite, "ATE ArrayAutoKernType Suite", 1, void) \
    X(ATEArrayBaselineDirection, kATEArrayBaselineDirectionSuite, "ATE ArrayBaselineDirection Suite", 1, void) \
    X(ATEArrayLanguage, kATEArrayLanguageSuite, "ATE ArrayLanguage Suite", 1, void) \
    X(ATEArrayFontCapsOption, kATEArrayFontCapsOptionSuite, "ATE ArrayFontCapsOption Suite", 1, void) \
    X(ATEArrayFontBaselineOption, kATEArrayFontBaselineOptionSuite, "ATE ArrayFontBaselineOption Suite", 1, void) \
    X(ATEArrayFontOpenTypePositionOption, kATEArrayFontOpenTypePositionOptionSuite, "ATE ArrayFontOpenTypePositionOption Suite", 1, void) \
    X(ATEArrayUnderlinePosition, kATEArrayUnderlinePositionSuite, "ATE ArrayUnderlinePosition Suite", 1, void) \
    X(ATEArrayStrikethroughPosition, kATEArrayStrikethroughPositionSuite, "ATE ArrayStrikethroughPosition Suite", 1, void) \
    X(ATEArrayParagraphJustification, kATEArrayParagraphJustificationSuite, "ATE ArrayParagraphJustification Suite", 1, void) \
    X(ATEArrayArrayReal, kATEArrayArrayRealSuite, "ATE ArrayArrayReal Suite", 1, void) \
    X(ATEArrayBurasagariType, kATEArrayBurasagariTypeSuite, "ATE ArrayBurasagariType Suite", 1, void) \
    X(ATEArrayPreferredKinsokuOrder, kATEArrayPreferredKinsokuOrderSuite, "ATE ArrayPreferredKinsokuOrder Suite", 1, void) \
    X(ATEArrayKinsokuRef, kATEArrayKinsokuRefSuite, "ATE ArrayKinsokuRef Suite", 1, void) \
    X(ATEArrayListStyleRef, kATEArrayListStyleRefSuite, "ATE ArrayListStyleRef Suite", 1, void) \
    X(ATEArrayListStyleSetRef, kATEArrayListStyleSetRefSuite, "ATE ArrayListStyleSetRef Suite", 1, void) \
    X(ATEArrayMojiKumiRef, kATEArrayMojiKumiRefSuite, "ATE ArrayMojiKumiRef Suite", 1, void) \
    X(ATEArrayMojiKumiSetRef, kATEArrayMojiKumiSetRefSuite, "ATE ArrayMojiKumiSetRef Suite", 1, void) \
    X(ATEArrayTabStopsRef, kATEArrayTabStopsRefSuite, "ATE ArrayTabStopsRef Suite", 1, void) \
    X(ATEArrayLeadingType, kATEArrayLeadingTypeSuite, "ATE ArrayLeadingType Suite", 1, void) \
    X(ATEArrayFontRef, kATEArrayFontRefSuite, "ATE ArrayFontRef Suite", 1, void) \
    X(ATEArrayGlyphID, kATEArrayGlyphIDSuite, "ATE ArrayGlyphID Suite", 1, void) \
    X(ATEArrayRealPoint, kATEArrayRealPointSuite, "ATE ArrayRealPoint Suite", 1, void) \
    X(ATEArrayRealMatrix, kATEArrayRealMatrixSuite, "ATE ArrayRealMatrix Suite", 1, void) \
    X(ATEArrayParagraphDirection, kATEArrayParagraphDirectionSuite, "ATE ArrayParagraphDirection Suite", 1, void) \
    X(ATEArrayJustificationMethod, kATEArrayJustificationMethodSuite, "ATE ArrayJustificationMethod Suite", 1, void) \
    X(ATEArrayKashidaWidth, kATEArrayKashidaWidthSuite, "ATE ArrayKashidaWidth Suite", 1, void) \
    X(ATEArrayKashidas, kATEArrayKashidasSuite, "ATE ArrayKashidas Suite", 1, void) \
    X(ATEArrayDirOverride, kATEArrayDirOverrideSuite, "ATE ArrayDirOverride Suite", 1, void) \
    X(ATEArrayDigitSet, kATEArrayDigitSetSuite, "ATE ArrayDigitSet Suite", 1, void) \
    X(ATEArrayDiacVPos, kATEArrayDiacVPosSuite, "ATE ArrayDiacVPos Suite", 1, void) \
    X(ATECharFeatures, kATECharFeaturesSuite, "ATE CharFeatures Suite", 102, ATECharFeaturesSuite) \
    X(ATECharInspector, kATECharInspectorSuite, "ATE CharInspector Suite", 102, void) \
    X(ATECharStyle, kATECharStyleSuite, "ATE CharStyle Suite", 1, void) \
    X(ATECharStyles, kATECharStylesSuite, "ATE CharStyles Suite", 1, void) \
    X(ATECharStylesIterator, kATECharStylesIteratorSuite, "ATE CharStylesIterator Suite", 1, void) \
    X(ATEFind, kATEFindSuite, "ATE Find Suite", 101, void) \
    X(ATEFont, kATEFontSuite, "ATE Font Suite", 1, void) \
    X(ATEGlyph, kATEGlyphSuite, "ATE Glyph Suite", 1, void) \
    X(ATEGlyphs, kATEGlyphsSuite, "ATE Glyphs Suite", 1, void) \
    X(ATEGlyphsIterator, kATEGlyphsIteratorSuite, "ATE GlyphsIterator Suite", 1, void) \
    X(ATEKinsoku, kATEKinsokuSuite, "ATE Kinsoku Suite", 1, void) \
    X(ATEKinsokuSet, kATEKinsokuSetSuite, "ATE KinsokuSet Suite", 1, void) \
    X(ATEParaFeatures, kATEParaFeaturesSuite, "ATE ParaFeatures Suite", 102, ATEParaFeaturesSuite) \
    X(ATEParagraph, kATEParagraphSuite, "ATE Paragraph Suite", 1, void) \
    X(ATEParagraphsIterator, kATEParagraphsIteratorSuite, "ATE ParagraphsIterator Suite", 1, void) \
    X(ATEParaInspector, kATEParaInspectorSuite, "ATE ParaInspector Suite", 102, void) \
    X(ATEParaStyle, kATEParaStyleSuite, "ATE ParaStyle Suite", 1, void) \
    X(ATEParaStyles, kATEParaStylesSuite, "ATE ParaStyles Suite", 1, void) \
    X(ATEParaStylesIterator, kATEParaStylesIteratorSuite, "ATE ParaStylesIterator Suite", 1, void) \
    X(ATESpell, kATESpellSuite, "ATE Spell Suite", 102, void) \
    X(ATEStories, kATEStoriesSuite, "ATE Stories Suite", 1, void) \
    X(ATEStory, kATEStorySuite, "ATE Story Suite", 1, void) \
    X(ATETabStop, kATETabStopSuite, "ATE TabStop Suite", 1, void) \
    X(ATETabStops, kATETabStopsSuite, "ATE TabStops Suite", 1, void) \
    X(ATETabStopsIterator, kATETabStopsIteratorSuite, "ATE TabStopsIterator Suite", 1, void) \
    X(ATETextRange, kATETextRangeSuite, "ATE TextRange Suite", 1, ATETextRangeSuite) \
    X(ATETextRanges, kATETextRangesSuite, "ATE TextRanges Suite", 1, void) \
    X(ATETextRangesIterator, kATETextRangesIteratorSuite, "ATE TextRangesIterator Suite", 1, void) \
    X(ATETextRunsIterator, kATETextRunsIteratorSuite, "ATE TextRunsIterator Suite", 1, ATETextRunsIteratorSuite) \
    X(ATEWordsIterator, kATEWordsIteratorSuite, "ATE WordsIterator Suite", 1, void) \
    X(ATEArrayLine, kATEArrayLineSuite, "ATE ArrayLine Suite", 1, void) \
    X(ATEArrayComposerEngine, kATEArrayComposerEngineSuite, "ATE ArrayComposerEngine Suite", 1, void)

/* clang-format on */

#define HOST_SUITES(X) HOST_FRAME_SUITES(X) HOST_PLUGIN_SUITES(X)

#ifdef __cplusplus
#define HOST_SUITE_NAME_STORAGE constexpr
#else
#define HOST_SUITE_NAME_STORAGE static const
#endif

#define HOST_SUITE_NAME_CONSTANT(id, constant, name, version, type)                                \
    HOST_SUITE_NAME_STORAGE char constant[] = name;
HOST_SUITES(HOST_SUITE_NAME_CONSTANT)
#undef HOST_SUITE_NAME_CONSTANT

#define HOST_SUITE_VERSION_CONSTANT(id, constant, name, version, type) constant##Version = version,
enum { HOST_SUITES(HOST_SUITE_VERSION_CONSTANT) };
#undef HOST_SUITE_VERSION_CONSTANT

#endif
