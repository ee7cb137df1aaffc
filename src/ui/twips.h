#pragma once

// Twips, the windows' layout unit, to pixels at 96 dpi (15 twips a pixel), rounded to the nearest pixel.
constexpr int px(int twips) { return (twips + 7) / 15; }
