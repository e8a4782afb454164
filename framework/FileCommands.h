// The framework's file commands around the task's solution files, the usage
// counters in the statistics file, and the certificate kept with the record.
#pragma once

#include <QStringList>
#include <memory>
#include <string>
#include <vector>

#include "framework/IniNameValueTree.h"

// Both count the click, run their dialog (or the file-dialog seam of
// framework/Modal.h), count the confirmation and return a tree on the
// chosen file. Absent when cancelled or when the file cannot be read. The
// caller owns the tree; destroying it writes the file. The save tree
// already holds "/etc/level" := TaskLevel.
std::unique_ptr<TIniNameValueTree> ExecuteSaveDialog();
std::unique_ptr<TIniNameValueTree> ExecuteOpenDialog();

// Adds one to the counter at `path` in StatisticsTree (in memory; written at
// exit). Nothing when the tree is absent.
void IncStatistic(const std::string& path);

// prefix + "lines" := count; prefix + "line" with index i := lines[i].
// Entries beyond the new count are left as they were.
void WriteLines(TNameValueTree& tree, const std::string& prefix, const std::vector<std::string>& lines);

// The certificate in RecordTree under "/Certificate/", flushed at once.
// Nothing when RecordTree is absent.
void WriteCertificate(const std::vector<std::string>& lines);
void WriteCertificateLine(const std::string& line);

// "T1|*.ext|T2|*.*" (Windows-1251) as Qt name filters: "T1 (*.ext)",
// "T2 (*)". A pattern list "a;b" becomes "a b"; "*.*" means every file.
// Runs of blanks shrink to one, as in QFileDialog.
QStringList FilterToNameFilters(const std::string& filter);
