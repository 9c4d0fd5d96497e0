#pragma once
// The real window services: Qt's message boxes, modal windows and file dialogs,
// started programs, the printer and the system clock. Every program that shows
// windows installs them first: ui::setPlatform(ui::realPlatform()).

#include "platform/base/services.h"

namespace platform::ui {

Platform realPlatform();

}  // namespace platform::ui
namespace ui = platform::ui;
