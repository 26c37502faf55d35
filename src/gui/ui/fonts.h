#pragma once
// The editor's fonts: proportional "IPAPGothic" for captions and boxes (the
// application font), fixed-pitch "IPAGothic" for rows built from byte-width fields.
#include <QFont>

namespace quillane::ui {

// Rows built from byte-width fields line up only in a fixed-pitch font.
QFont fixedPitchFont();

}  // namespace quillane::ui
