#include "pages/CDlgMouseSpeed.h"

// The Mouse Speed page is the dial with its field; everything else is CSpeedDialPage's.
