#pragma once

#include <QFont>

// The design's font family where it is installed, else the metric-compatible one Debian's font
// packages give, which fontconfig would pick too. Named directly it is found at once: asked for
// a family that is not there, Qt has fontconfig work out its fallbacks for every style the
// window draws, the most of the start-up's work.
QString designFamily(const char *family);

// A font as the windows' layouts name it: a family and a size in points, upright or italic.
// Bold is the controls' own state, set by the binder.
enum class Slant { Upright, Italic };
QFont designFont(const char *family, double points, Slant slant = Slant::Upright);
