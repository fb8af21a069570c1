#pragma once

#include <SDL.h>

#include <cstdint>
#include <string>
#include <vector>

// Functions and constants shared by every part of the game.
namespace QuillUtils
{
inline const std::string VERSION = "0.3.1";
inline const std::string VERSIONSTRING = "Version " + VERSION;
// The author line under the main menu and the name line of the credits.
inline const std::string AUTHOR = "by the Quill 3D team";
inline const std::string CREDITS_NAME = "The Quill 3D team";
inline const std::string DESCRIPTION1 = "Arrow Keys = Change current option";
inline const std::string DESCRIPTION2 = "Enter Key = Select current option";
inline const std::string TITLE_MUSIC_FILENAME = "title.ogg";
inline const std::string MAP_COMPLETED_MUSIC_FILENAME = "map_completed.ogg";
inline const std::string THE_END_MUSIC_FILENAME = "the_end.ogg";

constexpr double PI = 3.141592653589793;
// Angle units: 1920 to the full turn.
constexpr double ANGLE_TO_RADIANS = 0.0032724923474893677;
constexpr double RADIANS_TO_ANGLE = 305.5774907364391;
constexpr double DEGREES_TO_RADIANS = 0.017453292519943295;
constexpr double RADIANS_TO_DEGREES = 57.29577951308232;

// Degrees of a map file (counter-clockwise on the map, 90 = up) to angle units;
// -1 for anything outside 0..360.
int ConvertAngle(int degrees);

bool IsOnlyWhitespaces(const std::string& text);
// True for "1" and for "true" in any letter case.
bool StringToBool(const std::string& text);
// Reads a leading decimal number like std::stoi; defaultValue when there is none
// or it does not fit an int.
int StringToInt(const std::string& text, int defaultValue);

// Splits a line at every single space, keeping the empty pieces between two spaces.
// An empty line gives no piece, and a single space at the very end adds none.
std::vector<std::string> SplitAtSpaces(const std::string& line);
// Removes one carriage return at the end of a line read from a CR LF file.
std::string StripCarriageReturn(std::string line);

// A surface in the renderer's first texture format; null on failure.
SDL_Surface* CreateRGBSurface(SDL_RendererInfo info, int width, int height);

// Raw pixel access; the caller locks surfaces that need it.
std::uint32_t GetPixel(SDL_Surface* surface, int x, int y);
void SetPixel(SDL_Surface* surface, int x, int y, std::uint32_t pixel);

// Darkens a pixel by light / maxLight, channel by channel.
std::uint32_t ShadePixel(SDL_PixelFormat* format, std::uint32_t pixel, double light,
                         double maxLight);

void RenderFilledCircle(SDL_Surface* surface, int cx, int cy, int radius, std::uint32_t pixel);

// A uniformly drawn integer in [min, max].
int RandomGetInt(int min, int max);
} // namespace QuillUtils
