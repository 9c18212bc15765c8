// PObjModule::_PExternCtrl: the window of a module control. It tells the
// module of every new size before the framework handles the message.
#pragma once

#include "controls/custom/SExternCtrl.h"
#include "engine/PObjModule.h"

class PObjModule::_PExternCtrl : public SExternCtrl {
 public:
  LRESULT WindowProc(UINT message, WPARAM wparam, LPARAM lparam) override;
};
