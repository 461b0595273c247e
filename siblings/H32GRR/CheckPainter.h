#pragma once
// Draws a settlement check and its stub onto a page device (a PDF writer or a
// printer). Every text is drawn as plain text, never as markup, so a payee
// named "<b>&" prints as typed.
#include <QPagedPaintDevice>

#include "settlement/CheckLayout.h"

namespace h32grr {

// False when the device cannot be painted on (a file that cannot be written,
// a printer that is not there).
bool PaintCheck(QPagedPaintDevice& device, const hvx::settlement::CheckData& check);

}  // namespace h32grr
