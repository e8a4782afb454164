// The editor's modal questions and file dialogs, through the framework's
// seams (framework/Modal.h): with a handler installed the handler answers,
// with none the Qt window runs.
#pragma once

#include <QMessageBox>
#include <QString>
#include <optional>
#include <string>

#include "framework/Modal.h"

class QWidget;
class TEditorTexts;

enum class TUnsavedAnswer { Save, Discard, Cancel };

// «Сохранить изменения?» with Save, Discard and Cancel. Enter saves and
// Escape cancels: no reflex throws the changes away.
TUnsavedAnswer AskToSaveChanges(QWidget* parent, const TEditorTexts& texts);

// A message with OK.
void ShowEditorMessage(QWidget* parent, const TEditorTexts& texts, QMessageBox::Icon icon, const QString& text);

// A map file to open or to save as, starting in folder; nothing for Cancel.
std::optional<std::string> ChooseMapFile(QWidget* parent, const TEditorTexts& texts, TFileDialogKind kind,
                                         const std::string& folder);
