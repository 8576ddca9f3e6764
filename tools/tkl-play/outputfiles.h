#pragma once
// The files tkl-play writes for each object: names that are safe on every file system, and
// the samples and field maps as CSV.

#include "tools/tkl-play/objectrun.h"

#include <string>

namespace play {

// "07-push-right" for object 6 "Push Right": the position keeps names apart, the name is cut
// to lower-case letters, digits and single dashes, so nothing in it can leave the folder.
std::string file_stem(int index, const std::string& name);

// The samples as CSV text: a header, then one line per sample.
std::string samples_csv(const ObjectRun& run);
// The field map as CSV text: a header, then one line per cell, a blank line after each row.
std::string field_csv(const FieldMap& map);

// time_ms,pointer_x,pointer_y,buttons,force_x,force_y,magnitude,playing; false when the file
// cannot be written.
bool write_samples_csv(const std::string& file, const ObjectRun& run);

// x,y,force_x,force_y,magnitude per cell, a blank line after each row (gnuplot's blocks).
bool write_field_csv(const std::string& file, const FieldMap& map);

}  // namespace play
