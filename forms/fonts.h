#pragma once

namespace quantelo {

// Makes a close face stand in for each face the calculators ask for that this
// machine does not have; the size and weight asked for stay the same. Run
// once at start-up, after the QApplication exists and before any window is
// built.
//   "Tahoma"              the Tahoma-metric outline font that Wine ships
//                         (in a folder fontconfig does not scan, so it is
//                         registered here; its regular outline only, which
//                         the font engine emboldens for bold captions), else
//                         Liberation Sans
//   "Arial Unicode MS"    Liberation Sans (metric-compatible with Arial)
//   "@Arial Unicode MS"   the same: the "@" face is the one for vertical
//                         writing, which for horizontal Latin text draws like
//                         the plain face
//   "MS Sans Serif"       Tahoma as above, else Liberation Sans
// DejaVu Sans is the last resort for each.
void installFontStandIns();

} // namespace quantelo
