#pragma once

// Who the program says it is: window and box titles, the about data, the desktop entry.
namespace AppInfo {
inline constexpr char Title[] = "Meridane Chimewell";
inline constexpr char Version[] = "3.00.0001";
inline constexpr char Organisation[] = "Meridane";
inline constexpr char Description[] = "It is a Reminder/ Alarm for PC users.";
inline constexpr char DesktopId[] = "org.example.MeridaneChimewell";
} // namespace AppInfo
