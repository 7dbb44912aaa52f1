// Class colours: the Okabe-Ito palette, told apart with the common kinds of colour blindness,
// darkest first so that two classes get blue and orange. Classes 9 and 10 (rare) add grey and wine.
#pragma once

namespace bramble {

constexpr int CLASS_COLOUR_COUNT = 10;
// Arrays of characters rather than pointers: a table of pointers is relocated at load time, so it
// is not read-only data.
constexpr char CLASS_COLOURS[CLASS_COLOUR_COUNT][8] = {
    "#0072B2", "#E69F00", "#009E73", "#CC79A7", "#56B4E9",
    "#D55E00", "#F0E442", "#000000", "#999999", "#882255"};

inline const char* class_colour(int klass) {
  return CLASS_COLOURS[(klass % CLASS_COLOUR_COUNT + CLASS_COLOUR_COUNT) % CLASS_COLOUR_COUNT];
}

}  // namespace bramble
