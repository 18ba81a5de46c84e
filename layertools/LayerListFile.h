// "レイヤー名リストをファイルに保存..." and "レイヤー名をファイルから設定...": the layer
// names of the document in a text file, one line per layer in pre-order, a TAB per depth
// level, the name, CR LF.
#pragma once

#include "common/LayerTree.h"
#include "common/MvFile.h"
#include "hostapi/HostTypes.h"
#include "hostapi/wrappers/UnicodeString.h"
#include "platform/ws.h"
#include "resources/CartovelResources.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

/** Shown when a file's structure does not match the document's layers. */
inline constexpr const char* kLayerMismatchMessage =
    "レイヤー名の再設定を中断しました。レイヤーリストファイルに問題があるか、レイヤーリストファイ"
    "ルとドキュメントのレイヤー構造に違いがあります";

class CLayerListFile {
public:
    explicit CLayerListFile(HostPluginRef pluginRef_) noexcept : pluginRef(pluginRef_) {}
    virtual ~CLayerListFile() = default;
    CLayerListFile(const CLayerListFile&) = delete;
    CLayerListFile& operator=(const CLayerListFile&) = delete;

    /** Writes the names of every layer to the file chosen in the save dialog. 0, kHostErrCancelled
     *  when the user cancelled or refused to overwrite, the snapshot's host error, or,
     *  after telling the user, kHostErrEncoding (a name the chosen encoding cannot hold)
     *  and kHostErrFile (the file could not be written; it is left as it was). */
    HostErr Save();
    /** Renames the existing layers, or creates new ones, from the file chosen in the open
     *  dialog. 0, kHostErrCancelled for a cancel or a file that does not fit (after a message), or,
     *  after telling the user, kHostErrFile when the file could not be read to its end. */
    HostErr SetFromFile();

    static constexpr int32_t kRestoreDialogId = layerlist::kRestoreDialogId;
    static intptr_t RestoreDialogProc(WsWindow dialog, uint32_t message, WsWParam wParam,
                                      WsLParam lParam);

    /** Filled by Save. */
    std::vector<LayerNode> layerTree;
    HostPluginRef pluginRef;
    /** "LF_RestoreKind": 0 give the existing layers new names, any other value create new
     *  layers. */
    int32_t restoreKind = 0;

private:
    HostErr DefaultFileName(std::string& name) const;
    void ShowRestoreKind(WsWindow dialog) const;
    bool ReadRestoreKind(WsWindow dialog);
};

/** Writes one line per node of list and its subtrees, in pre-order, in encoding (2 UTF-16
 *  little-endian, 1 UTF-8, anything else the platform encoding). A name ends before its
 *  first line-end or NUL character, so every name stays on its own line. Stops at the
 *  first failure: false when a write failed or a name could not be converted. */
bool WriteLayerLines(CMvFile& file, const std::vector<LayerNode>& list, int32_t encoding);

/** Names in list (pre-order) that encoding cannot hold, at most limit of them. */
HostErr FindUnencodableNames(const std::vector<LayerNode>& list, int32_t encoding,
                             std::vector<std::string>& names, size_t limit);

struct ListLine {
    /** The number of leading TAB characters. */
    size_t depth = 0;
    /** The rest of the line. */
    ai::UnicodeString name;
};
HostErr ParseListLine(HostUString line, ListLine& out);

/** The result of the two readers below when the file does not fit the document. */
inline constexpr HostErr kListDoesNotFit = 1;

/** Matches the file to the document's layers position by position in pre-order and
 *  gives each layer its line's name. kListDoesNotFit when the file does not fit: an empty
 *  or indented first line, a line indented more than one level deeper than the one
 *  before, or more layers at a level than the document has; names set before that stay.
 *  A host failure (a title refused included) ends the match with its code. failedLine,
 *  when given, receives the 1-based number of the line that did not fit. */
HostErr RenameLayersFromFile(CMvTextFile& file, size_t* failedLine = nullptr);
/** Builds new layers above all existing ones with the file's names and nesting.
 *  kListDoesNotFit when a line does not fit (the same rules), a host failure's code
 *  otherwise; the layers made so far stay. A bad first line makes no layer. */
HostErr CreateLayersFromFile(CMvTextFile& file, size_t* failedLine = nullptr);
