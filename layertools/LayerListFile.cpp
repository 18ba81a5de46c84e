#include "layertools/LayerListFile.h"

#include "common/DialogValues.h"
#include "common/FieldDialog.h"
#include "common/HostText.h"
#include "common/LayerTargets.h"
#include "common/SettingsStore.h"
#include "common/TextFileDialog.h"
#include "frame/AppContextScope.h"
#include "frame/CommandOps.h"
#include "frame/HostSuites.h"

#include <array>

// The dialog's controls, named in the resource script.
using namespace layerlist;

namespace {

constexpr const char* kSelfProp = "CLayerListFile";
constexpr const char* kFolderKey = "LF_FileDir";
constexpr const char* kRestoreKindKey = "LF_RestoreKind";

constexpr std::array<FileFilter, 1> kSaveFilters = {{{"Text Files(*.txt)", "*.txt"}}};
constexpr std::array<FileFilter, 2> kOpenFilters = {{
    {"Text Files(*.txt)", "*.txt"},
    {"All Files(*.*)", "*.*"},
}};

constexpr const char* kCannotOpenMessage = "ファイルを開けません";
/** Calls visit on every node of list and its subtrees in pre-order; stops at the first
 *  false. */
template <class Visit> bool ForEachNode(const std::vector<LayerNode>& list, Visit&& visit) {
    return WalkLayerNodes(list, 0, [&](const LayerNode& node, int, int&) {
        return visit(node) ? NodeStep::Descend : NodeStep::Stop;
    });
}

/** The name's bytes as one line holds them: 8-bit text in the host's encoding code for
 *  the file's encoding, or UTF-16 little-endian. */
HostErr NameBytes(HostUString name, int32_t encoding, std::string& out) {
    out.clear();
    if (sUnicodeString == nullptr) return kHostErrSuiteNotFound;
    if (encoding == kEncodingUTF16) {
        const uint16_t* units = nullptr;
        size_t count = 0;
        if (const HostErr err = sUnicodeString->GetUTF16(name, &units, &count)) return err;
        for (size_t i = 0; i < count; ++i) {
            const uint16_t u = units[i];
            if (u == '\r' || u == '\n' || u == 0) break;
            out += static_cast<char>(u & 0xFF);
            out += static_cast<char>(u >> 8);
        }
        return kHostNoErr;
    }
    const int32_t code = encoding == kEncodingUTF8 ? kHostEncodingUTF8 : kHostEncodingPlatform;
    const char* bytes = nullptr;
    size_t length = 0;
    if (const HostErr err = sUnicodeString->GetBytes(name, code, &bytes, &length)) return err;
    // In every encoding written here a line-end or NUL byte is that character.
    for (size_t i = 0; i < length && bytes[i] != '\r' && bytes[i] != '\n' && bytes[i] != '\0'; ++i)
        out += bytes[i];
    return kHostNoErr;
}

/** kHostErrEncoding when bytes, read in the file's 8-bit encoding, are not name's text. */
HostErr CheckReadsBack(HostUString name, const std::string& bytes, int32_t encoding) {
    const int32_t code = encoding == kEncodingUTF8 ? kHostEncodingUTF8 : kHostEncodingPlatform;
    ai::UnicodeString back;
    if (const HostErr err = sUnicodeString->NewFromBytes(bytes.data(), bytes.size(), code,
                                                         back.Receive(sUnicodeString)))
        return err;
    std::string original, reread;
    if (const HostErr err = TextToUTF8(name, original)) return err;
    if (const HostErr err = TextToUTF8(back.get(), reread)) return err;
    // A name ends at its first line end, in every encoding alike.
    original.resize(std::min(original.size(), original.find_first_of(std::string("\r\n\0", 3))));
    return original == reread ? kHostNoErr : kHostErrEncoding;
}

/** Reads the first line of a list file: it must exist, not be empty and not be
 *  indented. kListDoesNotFit when it is not so, or the host's error. */
HostErr ReadFirstLine(CMvTextFile& file, ListLine& line) {
    ai::UnicodeString text;
    if (!file.ReadLine(text)) return file.ReadError() ? file.ReadError() : kListDoesNotFit;
    size_t length = 0;
    if (const HostErr err = TextLength(text.get(), length)) return err;
    if (length == 0) return kListDoesNotFit;
    if (const HostErr err = ParseListLine(text.get(), line)) return err;
    return line.depth == 0 ? kHostNoErr : kListDoesNotFit;
}

/** The ancestor `levels` levels above layer; null when there is none. */
HostErr Ancestor(HostLayerHandle layer, size_t levels, HostLayerHandle& ancestor) {
    for (size_t i = 0; i < levels && layer != nullptr; ++i)
        if (const HostErr err = sLayer->GetLayerParent(layer, &layer)) return err;
    ancestor = layer;
    return kHostNoErr;
}

void ReadFolder(CFilePath& folder) {
    if (folder.Make() == kHostNoErr) settings::ReadFilePath(kFolderKey, folder.get());
}

/** Remembers the folder of the chosen file for the next dialog. */
void WriteFolderOf(const CFilePath& file) {
    CFilePath folder;
    if (file.Parent(folder) == kHostNoErr) settings::WriteFilePath(kFolderKey, folder.get());
}

std::string EncodingName(int32_t encoding) {
    return encoding == kEncodingUTF8    ? "UTF-8"
           : encoding == kEncodingUTF16 ? "UTF-16"
                                        : "シフトJIS";
}

} // namespace

// ---- reading and writing lines ----

bool WriteLayerLines(CMvFile& file, const std::vector<LayerNode>& list, int32_t encoding) {
    const bool wide = encoding == kEncodingUTF16;
    const std::string tab = wide ? std::string("\x09\x00", 2) : std::string("\x09");
    const std::string lineEnd = wide ? std::string("\x0D\x00\x0A\x00", 4) : std::string("\r\n");
    std::string line, name;
    return ForEachNode(list, [&](const LayerNode& node) {
        if (NameBytes(node.title.get(), encoding, name) != kHostNoErr) return false;
        line.clear();
        for (int32_t i = 0; i < node.depth; ++i)
            line += tab;
        line += name;
        line += lineEnd;
        return file.Write(line.data(), line.size());
    });
}

HostErr FindUnencodableNames(const std::vector<LayerNode>& list, int32_t encoding,
                             std::vector<std::string>& names, size_t limit) {
    names.clear();
    if (encoding == kEncodingUTF16 || encoding == kEncodingUTF8) return kHostNoErr;
    HostErr failure = kHostNoErr;
    std::string bytes;
    ForEachNode(list, [&](const LayerNode& node) {
        HostErr err = NameBytes(node.title.get(), encoding, bytes);
        // Some characters go out as a lookalike (U+301C as U+FF5E): only a name that
        // reads back as it was is kept.
        if (err == kHostNoErr) err = CheckReadsBack(node.title.get(), bytes, encoding);
        if (err == kHostErrEncoding) {
            std::string text;
            TextToUTF8(node.title.get(), text);
            names.push_back(std::move(text));
            return names.size() < limit;
        }
        failure = err;
        return err == kHostNoErr;
    });
    return failure;
}

HostErr ParseListLine(HostUString line, ListLine& out) {
    out.depth = 0;
    std::string text;
    if (const HostErr err = TextToUTF8(line, text)) return err;
    while (out.depth < text.size() && text[out.depth] == '\t')
        ++out.depth;
    return NewText(std::string_view(text).substr(out.depth), out.name);
}

namespace {

/** The walk both readers share: place finds or makes the layer for each line (the first
 *  with previous and layer null), and the walk gives it the line's name. A line more than
 *  one level deeper than the one before does not fit. */
template <class Place> HostErr PlaceListLines(CMvTextFile& file, size_t* failedLine, Place place) {
    size_t lineNumber = 1;
    if (failedLine != nullptr) *failedLine = lineNumber;
    if (sLayer == nullptr) return kHostErrSuiteNotFound;
    ListLine line;
    // Checked before the first layer is placed, so a file that is no list changes nothing.
    if (const HostErr err = ReadFirstLine(file, line)) return err;
    HostLayerHandle layer = nullptr;
    if (const HostErr err = place(line.depth, 0, layer)) return err;
    if (const HostErr err = sLayer->SetLayerTitle(layer, line.name.get())) return err;
    size_t previous = 0;
    ai::UnicodeString text;
    while (file.ReadLine(text)) {
        ++lineNumber;
        if (failedLine != nullptr) *failedLine = lineNumber;
        if (const HostErr err = ParseListLine(text.get(), line)) return err;
        if (line.depth > previous + 1) return kListDoesNotFit;
        if (const HostErr err = place(line.depth, previous, layer)) return err;
        if (const HostErr err = sLayer->SetLayerTitle(layer, line.name.get())) return err;
        previous = line.depth;
    }
    return file.ReadError();
}

/** The existing layer for a line: the first layer for the first line, then the next one
 *  in pre-order at the line's depth. */
HostErr FindLayerForLine(size_t depth, size_t previous, HostLayerHandle& layer) {
    if (layer == nullptr) {
        if (const HostErr err = sLayer->GetFirstLayer(&layer)) return err;
    } else if (depth == previous) {
        if (const HostErr err = NextSiblingLayer(layer, layer)) return err;
    } else if (depth == previous + 1) {
        if (const HostErr err = sLayer->GetFirstChild(layer, &layer)) return err;
    } else {
        if (const HostErr err = Ancestor(layer, previous - depth, layer)) return err;
        if (const HostErr err = NextSiblingLayer(layer, layer)) return err;
    }
    return layer == nullptr ? kListDoesNotFit : kHostNoErr;
}

/** A new layer for a line: above all layers for the first line, then below the one
 *  before at the same depth, inside it one level deeper, or below its ancestor. */
HostErr MakeLayerForLine(size_t depth, size_t previous, HostLayerHandle& layer) {
    int16_t order = kHostPlaceBelow;
    if (layer == nullptr) {
        order = kHostPlaceAboveAll;
    } else if (depth == previous + 1) {
        order = kHostPlaceInsideOnBottom;
    } else if (depth < previous) {
        if (const HostErr err = Ancestor(layer, previous - depth, layer)) return err;
        if (layer == nullptr) return kListDoesNotFit;
    }
    HostLayerHandle made = nullptr;
    if (const HostErr err = sLayer->InsertLayer(layer, order, &made)) return err;
    if (made == nullptr) return kHostErrCant;
    layer = made;
    return kHostNoErr;
}

} // namespace

// A title the host refuses is a host failure like any other: the layer would keep a name
// the file does not give it, and the run would pass for a success.
HostErr RenameLayersFromFile(CMvTextFile& file, size_t* failedLine) {
    return PlaceListLines(file, failedLine, FindLayerForLine);
}

HostErr CreateLayersFromFile(CMvTextFile& file, size_t* failedLine) {
    return PlaceListLines(file, failedLine, MakeLayerForLine);
}

// ---- the commands ----

HostErr CLayerListFile::DefaultFileName(std::string& name) const {
    name.clear();
    if (sContext != nullptr && sDocument != nullptr && sFilePath != nullptr) {
        const AppContextScope context(pluginRef);
        if (const HostErr err = context.Result()) return err;
        CFilePath document;
        if (document.Make() == kHostNoErr &&
            sDocument->GetDocumentFileSpecification(document.get()) == kHostNoErr &&
            sFilePath->IsEmpty(document.get()) == 0) {
            ai::UnicodeString stem;
            if (sFilePath->GetFileName(document.get(), 0, stem.Receive(sUnicodeString)) ==
                kHostNoErr)
                TextToUTF8(stem.get(), name);
        }
    }
    name += ".txt";
    return kHostNoErr;
}

HostErr CLayerListFile::Save() {
    CFilePath folder;
    ReadFolder(folder);
    if (const HostErr err = BuildLayerTree(layerTree)) return err;
    std::string defaultName;
    if (const HostErr err = DefaultFileName(defaultName)) return err;

    std::vector<CFilePath> chosen;
    int32_t encoding = kEncodingShiftJIS;
    if (const HostErr err = ShowTextFileDialog(pluginRef, true, "レイヤーリストの保存", defaultName,
                                               kSaveFilters, "txt", folder.get(), chosen, encoding))
        return err;
    const CFilePath& path = chosen.back();
    WriteFolderOf(path);

    bool exists = false;
    path.Exists(exists);
    if (exists) {
        int32_t answer = 0;
        if (const HostErr err = frame::OKCancelAlert(
                "指定されたファイルは既に存在します。上書きしてよろしいですか？", answer))
            return err;
        if (answer != 1) return kHostErrCancelled;
    }

    // A name the encoding cannot hold would be lost or garbled in the file: say which.
    std::vector<std::string> lost;
    if (const HostErr err = FindUnencodableNames(layerTree, encoding, lost, 5)) return err;
    if (!lost.empty()) {
        std::string message = "次のレイヤー名には" + EncodingName(encoding) +
                              "で保存できない文字が含まれています。エンコーディングに"
                              "UTF-8かUTF-16を選んで保存してください。";
        for (const std::string& name : lost)
            message += "\n" + name;
        frame::MessageAlert(message);
        return kHostErrEncoding;
    }

    std::string fullPath;
    path.FullPath(fullPath);
    CMvFile file;
    if (!file.OpenReplacing(path.get())) {
        frame::MessageAlert("ファイルを保存できません: " + fullPath + "\n" + file.FailureReason());
        return kHostErrFile;
    }
    static constexpr std::string_view kUTF8Mark = "\xEF\xBB\xBF";
    static constexpr std::string_view kUTF16Mark = "\xFF\xFE";
    const std::string_view mark = encoding == kEncodingUTF8    ? kUTF8Mark
                                  : encoding == kEncodingUTF16 ? kUTF16Mark
                                                               : std::string_view();
    const bool written = file.Write(mark.data(), mark.size()) &&
                         WriteLayerLines(file, layerTree, encoding) && file.Commit();
    if (!written) {
        // The temporary file goes with the stream; the chosen file is as it was.
        file.Close();
        frame::MessageAlert("ファイルを保存できません: " + fullPath + "\n" + file.FailureReason());
        return kHostErrFile;
    }
    return kHostNoErr;
}

HostErr CLayerListFile::SetFromFile() {
    settings::ReadInteger(kRestoreKindKey, restoreKind);
    if (const HostErr err = frame::RunModalDialog(pluginRef, kRestoreDialogId, RestoreDialogProc,
                                                  reinterpret_cast<WsLParam>(this)))
        return err;
    settings::WriteInteger(kRestoreKindKey, restoreKind);

    CFilePath folder;
    ReadFolder(folder);
    std::vector<CFilePath> chosen;
    int32_t encoding = kEncodingShiftJIS;
    if (const HostErr err = ShowTextFileDialog(pluginRef, false, "レイヤーリストファイルの指定", "",
                                               kOpenFilters, "txt", folder.get(), chosen, encoding))
        return err;
    const CFilePath& path = chosen.back();
    WriteFolderOf(path);

    CMvTextFile file;
    if (!file.OpenRead(path.get(), encoding)) {
        if (const HostErr err = file.HostError()) return err;
        const std::string why = file.FailureReason();
        frame::MessageAlert(why.empty() ? std::string(kCannotOpenMessage)
                                        : std::string(kCannotOpenMessage) + "\n" + why);
        return kHostErrCancelled;
    }
    size_t failedLine = 0;
    const HostErr result = restoreKind == 0 ? RenameLayersFromFile(file, &failedLine)
                                            : CreateLayersFromFile(file, &failedLine);
    // A read that broke off early looks like the end of the file: say so.
    if (const HostErr err = file.ReadError()) {
        if (err == kHostErrFile)
            frame::MessageAlert("ファイルの読み込み中にエラーが発生しました。" +
                                std::to_string(failedLine) + "行目までを処理しました");
        return err;
    }
    // A host failure is the host's, not the file's.
    if (result != kHostNoErr && result != kListDoesNotFit) return result;
    if (result == kListDoesNotFit) {
        if (restoreKind == 0)
            frame::MessageAlert(kLayerMismatchMessage);
        else
            frame::MessageAlert("新規レイヤーの作成を中断しました。レイヤーリストファイルの" +
                                std::to_string(failedLine) + "行目に問題があります");
        return kHostErrCancelled;
    }
    return kHostNoErr;
}

// ---- dialog 128 ----

void CLayerListFile::ShowRestoreKind(WsWindow dialog) const {
    SetChecked(dialog, kRenameRadioId, restoreKind == 0);
    SetChecked(dialog, kCreateRadioId, restoreKind != 0);
}

bool CLayerListFile::ReadRestoreKind(WsWindow dialog) {
    restoreKind = IsChecked(dialog, kRenameRadioId) ? 0 : 1;
    return true;
}

intptr_t CLayerListFile::RestoreDialogProc(WsWindow dialog, uint32_t message, WsWParam wParam,
                                           WsLParam lParam) {
    static constexpr FieldDialog<CLayerListFile> kDialog{
        kSelfProp,
        ShowBlock<CLayerListFile, &CLayerListFile::ShowRestoreKind>,
        {},
        ReadBlock<CLayerListFile, &CLayerListFile::ReadRestoreKind>};
    return kDialog.Procedure(dialog, message, wParam, lParam);
}
