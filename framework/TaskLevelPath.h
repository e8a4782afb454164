// Where every task file carries the level of its task: the framework writes
// it into the record and autosave trees at start-up and into each solution
// file that the save command opens; the judge reads it back.
#pragma once

inline constexpr const char* TaskLevelPath = "/etc/level";
