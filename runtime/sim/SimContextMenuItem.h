#pragma once

// A context menu item the application made through the simulated
// environment (CreateContextMenuItem). Select() is the simulated context
// menu's choice of it: CustomItemSelected follows on the next pump of the
// message queue, with no arguments, as the runtime raises it.

#include <memory>
#include <string>

#include "runtime/sim/SimContextMenuItemBase.h"

namespace velmoran::runtime::sim {

class SimContextMenuItem final : public SimContextMenuItemBase {
 public:
  SimContextMenuItem(std::shared_ptr<SimRuntimeContext> context, SimVersionLimit versions,
                     std::u16string label, COREWEBVIEW2_CONTEXT_MENU_ITEM_KIND kind, INT32 commandId);

  // The item carries no icon of its own here: the simulated menu draws none.
  HRESULT WV2_STDCALL get_Icon(IStream** value) override;

  // The user picks the item in the page's context menu.
  void Select();
};

}  // namespace velmoran::runtime::sim
