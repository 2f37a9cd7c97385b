#pragma once

#include <QPixmap>

// The four link-quality icons of the progress window (ids 148..151): signal
// bars, none to three lit.
QPixmap QualityIcon(int iconId);
