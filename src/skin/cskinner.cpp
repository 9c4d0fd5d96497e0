#include "skin/cskinner.h"

#include "skin/mskinner.h"

bool cSkinner::AttachSkin(QWidget* hWnd) { return mSkinner::StartSkin(hWnd); }

bool cSkinner::DetachSkin(QWidget* hWnd) { return mSkinner::StopSkin(hWnd); }
