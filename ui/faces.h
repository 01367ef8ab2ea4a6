#pragma once

#include <QFont>

// The faces the layout was drawn with. Windows has them; elsewhere the
// Liberation faces, drawn to the same metrics, stand in (and the narrow
// sans keeps the captions within their 8-point boxes).
namespace faces {
#ifdef Q_OS_WIN
inline constexpr const char *kWindow = "MS Sans Serif";
inline constexpr const char *kSans = "MS Sans Serif";
inline constexpr const char *kSerif = "Times New Roman";
#else
inline constexpr const char *kWindow = "Liberation Sans Narrow";
inline constexpr const char *kSans = "Liberation Sans";
inline constexpr const char *kSerif = "Liberation Serif";
#endif
inline constexpr int kWindowPoints = 8;

// Where a Windows system lacks a face, as Wine's does, the Liberation face
// drawn to its metrics stands in, the narrow one for the window font.
inline void addStandIns()
{
#ifdef Q_OS_WIN
    QFont::insertSubstitution(kWindow, "Liberation Sans Narrow");
    QFont::insertSubstitution(kSerif, "Liberation Serif");
#endif
}
} // namespace faces
