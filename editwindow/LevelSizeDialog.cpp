#include "editwindow/LevelSizeDialog.h"

#include <QDialog>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QSpinBox>
#include <algorithm>

#include "editor/EditSession.h"
#include "editwindow/EditorTexts.h"

namespace {
TLevelSizeHandler sizeHandler;

QSize WithinLimits(QSize size) {
  return {std::clamp(size.width(), TEditSession::MinSide, TEditSession::MaxSide()),
          std::clamp(size.height(), TEditSession::MinSide, TEditSession::MaxSide())};
}
}  // namespace

void SetLevelSizeHandler(TLevelSizeHandler handler) { sizeHandler = std::move(handler); }

std::optional<QSize> AskLevelSize(QWidget* parent, const TEditorTexts& texts, const TLevelSizeRequest& request) {
  if (sizeHandler) {
    const std::optional<QSize> chosen = sizeHandler(request);
    if (!chosen) return std::nullopt;
    return WithinLimits(*chosen);
  }
  QDialog dialog(parent);
  dialog.setWindowTitle(request.title);
  auto* form = new QFormLayout(&dialog);
  auto side = [&](int value, const std::string& key) {
    auto* box = new QSpinBox(&dialog);
    box->setRange(TEditSession::MinSide, TEditSession::MaxSide());
    box->setValue(value);
    form->addRow(texts.Text(key), box);
    return box;
  };
  QSpinBox* width = side(request.size.width(), "dialogs/width");
  QSpinBox* height = side(request.size.height(), "dialogs/height");
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, &dialog);
  form->addRow(buttons);
  QObject::connect(buttons, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
  QObject::connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
  width->setFocus();
  width->selectAll();
  if (dialog.exec() != QDialog::Accepted) return std::nullopt;
  return WithinLimits({width->value(), height->value()});
}
