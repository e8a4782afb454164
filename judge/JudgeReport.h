// The organisers' results page of glowmere-judge --report: one HTML file
// that needs nothing else but the pictures beside it, in Russian with an
// English line under each heading (the judge's users may read either). It
// names the level, its size and the date, and holds a table of every file
// in rank order: place, file, lights, lit share, remarks, and the file's
// picture as a thumbnail where --picture drew one.
//
// Everything a participant named or wrote (file names, texts quoted from a
// file) is data: made valid UTF-8, escaped for HTML, and in a picture's
// address percent-encoded.
#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

struct TReportEntry {
  std::string file;              // as the command line gave it
  bool readable = true;          // false: the file could not be read, it has no verdict
  std::optional<int32_t> lights; // the verdict; none is "-"
  std::string share;             // as the line prints it: ten decimals or "-"
  std::vector<std::string> remarks;
  std::filesystem::path picture;  // the picture drawn for it; empty when none
};

struct TReportHead {
  std::string levelName;    // the task's level or the designer's map file
  int32_t width = 0, height = 0;  // cells
  std::string date;         // when the files were judged, as it is to be shown
};

// entries: best first (ties in the order given); places are shared by
// equal verdicts. pageFolder: where the page will lie, so that pictures are
// addressed relative to it.
std::string ResultsPage(const TReportHead& head, const std::vector<TReportEntry>& entries,
                        const std::filesystem::path& pageFolder);

// The local time as "YYYY-MM-DD HH:MM", digits whatever the locale.
std::string ReportDate();
