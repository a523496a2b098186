#pragma once

#include <QFont>

// The design's font family where it is installed, else the metric-compatible one Debian's font
// packages give, which fontconfig would pick too. Named directly it is found at once: asked for
// a family that is not there, Qt has fontconfig work out its fallbacks for every style the
// window draws, the most of the start-up's work.
QString designFamily(const char *family);

// A font as the windows' layouts name it: a family and a size in points, upright or italic.
// Bold is the controls' own state, set by the binder. Latin text is laid out unshaped, kerned by
// the font's own table, as the design's desktop drew it: shaping it through HarfBuzz copied
// each face's layout tables into the heap (76 KiB a face) and was most of the layout's work.
// Scripts that need shaping are still shaped.
enum class Slant { Upright, Italic };
QFont designFont(const char *family, double points, Slant slant = Slant::Upright);
