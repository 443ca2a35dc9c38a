#include "preview/menu_screens.h"

#include "preview/cheat_list_screen.h"
#include "preview/start_menu.h"
#include "preview/window_screens.h"

Image drawMenuScreen(int view, const PreviewSources& sources, DrawRecord* record) {
  switch (view) {
    case 2:
    case 4:
    case 6:
    case 8:
    case 9:
      return drawStartMenuScreen(view, sources, record);
    case 3:
    case 5:
    case 7:
      return drawMessageBoxScreen(view, sources, record);
    case 10:
      return drawHotkeyWindowScreen(sources, record);
    case 11:
      return drawHelpWindowScreen(sources, record);
    case 12:
      return drawGameSettingsScreen(sources, record);
    case 13:
      return drawCheatListScreen(sources, record);
    default:
      return {};  // views 0 and 1 are the file browser's, not drawn here
  }
}
