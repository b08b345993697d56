#pragma once
// The programs speak Chinese, as on the appraiser's Chinese Windows: Qt's own texts (file dialogs,
// standard buttons, context menus) from Qt's Chinese translations, and the Chinese locale for
// dates, month and day names.

namespace ui {

// Needs the Qt application; the translations stay installed for its life.
void UseChineseLocale();

}  // namespace ui
