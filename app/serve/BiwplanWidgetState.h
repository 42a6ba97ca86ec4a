#pragma once

#include <nlohmann/json.hpp>

#include "QIVDialog.h"

// The state of the dialogs a session shows, as the browser page draws them:
// each window with its widgets in a tree, each widget with its name, the
// path that names it in a journal, its kind and the state a person sees
// (text, lines, rows, selection, check, value, sensitivity, visibility).
namespace BiwplanWidgetState {
using Json = nlohmann::ordered_json;
// The windows shown in the current session, in the order they were shown.
Json ShownWindows();
// A widget and those inside it; titles left empty are read from `catalog`
// (the window's class name), key NAME.Title.
Json Describe(const QIVDialog& widget, const QIVUnicodeString& catalog);
}  // namespace BiwplanWidgetState
