// The open and save dialogs of the layer list files, with a row that chooses the file's
// encoding (child template kTextFileDialogTemplate, with kEncodingListId).
#pragma once

#include "common/FilePath.h"
#include "hostapi/HostTypes.h"
#include "platform/ws.h"
#include "resources/CartovelResources.h"

#include <cstdint>
#include <span>
#include <string_view>
#include <vector>

struct FileFilter {
    /** UTF-8, shown in the list of file types. */
    const char* description;
    const char* pattern;
};

/** Shows the system's save dialog (save) or open dialog, starting in folder when that
 *  folder exists. On OK the chosen file is appended to chosen, its encoding code (17, 1 or
 *  2) is put in encoding, and the result is 0; a cancel or a failed dialog gives kHostErrCancelled.
 *  A host failure while preparing the dialog gives the host's code. */
HostErr ShowTextFileDialog(HostPluginRef pluginRef, bool save, std::string_view title,
                           std::string_view defaultName, std::span<const FileFilter> filters,
                           std::string_view defaultExt, HostFilePath folder,
                           std::vector<CFilePath>& chosen, int32_t& encoding);

/** The hook of the file dialog: fills the encoding list when the dialog opens and stores
 *  the chosen entry's code, through the record's customData (an int32_t*), when the user
 *  confirms a file. */
intptr_t TextFileDialogHook(WsWindow dialog, uint32_t message, WsWParam wParam, WsLParam lParam);
