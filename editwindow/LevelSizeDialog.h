// The size of a level, asked for by New and by Resize: width and height in
// cells, each from 1 to the map reader's limit. Modal, so it sits behind a
// seam as the framework's windows do: a handler set here answers in place
// of the dialog (tests), and with none the dialog runs.
#pragma once

#include <QSize>
#include <QString>
#include <functional>
#include <optional>

class QWidget;
class TEditorTexts;

struct TLevelSizeRequest {
  QString title;  // the dialog's caption
  QSize size;     // the size it starts with
};
// The size chosen, or nothing for Cancel.
using TLevelSizeHandler = std::function<std::optional<QSize>(const TLevelSizeRequest&)>;

// An empty function removes the handler.
void SetLevelSizeHandler(TLevelSizeHandler handler);

// The size chosen (each side within the limits), or nothing.
std::optional<QSize> AskLevelSize(QWidget* parent, const TEditorTexts& texts, const TLevelSizeRequest& request);
