#pragma once
// Qt's own dialogs and standard buttons (the file chooser of "参照", message box
// buttons) speak the editor's language: Qt's Japanese catalogue is loaded at start-up.
class QCoreApplication;

namespace quillane::ui {

// Installs Qt's Japanese translations (Debian's qt6-translations-l10n) into `app`.
// False when the catalogue is not installed; the dialogs then stay in English.
bool installJapaneseTranslations(QCoreApplication& app);

}  // namespace quillane::ui
