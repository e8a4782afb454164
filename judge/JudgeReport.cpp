// The page is written by hand, not through a template engine: a table and
// a few lines of style, so that it opens in any browser and in a mail.
#include "judge/JudgeReport.h"

#include <QString>
#include <ctime>

#include "judge/ResultDocument.h"

namespace fs = std::filesystem;

namespace {

// The text as valid UTF-8: what is no UTF-8 becomes U+FFFD, as Qt reads it.
std::string ValidUtf8(const std::string& text) {
  return QString::fromUtf8(text.data(), qsizetype(text.size())).toUtf8().toStdString();
}

// Text for the page's body and its attributes.
std::string Html(const std::string& text) {
  std::string out;
  for (const char c : ValidUtf8(text)) {
    switch (c) {
      case '&': out += "&amp;"; break;
      case '<': out += "&lt;"; break;
      case '>': out += "&gt;"; break;
      case '"': out += "&quot;"; break;
      case '\'': out += "&#39;"; break;
      default: out += c;
    }
  }
  return out;
}

// A path as a relative URL: every byte but letters, digits, "-._~" and the
// separator percent-encoded, so a name with "#", "?", "%" or spaces still
// names its file.
std::string UrlPath(const fs::path& path) {
  static const char* digits = "0123456789ABCDEF";
  std::string out;
  for (const char c : path.generic_string()) {
    const auto u = static_cast<unsigned char>(c);
    const bool plain = (u >= 'a' && u <= 'z') || (u >= 'A' && u <= 'Z') || (u >= '0' && u <= '9') || u == '-' ||
                       u == '.' || u == '_' || u == '~' || u == '/';
    if (plain) {
      out += c;
    } else {
      out += '%';
      out += digits[u >> 4];
      out += digits[u & 15];
    }
  }
  return out;
}

// Where the page finds a picture: relative to its folder when the two
// share a root, else the absolute path as a file address.
std::string PictureAddress(const fs::path& picture, const fs::path& pageFolder) {
  std::error_code error;
  const fs::path from = fs::absolute(pageFolder, error).lexically_normal();
  const fs::path to = fs::absolute(picture, error).lexically_normal();
  const fs::path relative = to.lexically_relative(from);
  if (!relative.empty()) return UrlPath(relative);
  return "file://" + UrlPath(to);
}

// A heading cell or line: the Russian text, the English one under it.
std::string TwoLines(const char* russian, const char* english) {
  return std::string(russian) + "<br><span class=\"en\">" + english + "</span>";
}

const char* const Style =
    "body{font-family:sans-serif;margin:24px;color:#222;background:#fff}"
    "h1{margin:0;font-size:26px}h2{margin:24px 0 8px;font-size:20px}"
    ".en{color:#666;font-size:85%;font-weight:normal}"
    "table{border-collapse:collapse}"
    "th,td{border:1px solid #bbb;padding:6px 8px;vertical-align:top;text-align:left}"
    "th{background:#eee}"
    "td.n{text-align:right;white-space:nowrap;font-variant-numeric:tabular-nums}"
    "tr.dark td{background:#f7f1f1}"
    "td.file{overflow-wrap:anywhere;max-width:18em}"
    "ul{margin:0;padding-left:1.2em}"
    "img{display:block;width:186px;height:auto;border:1px solid #999}"
    "dl{display:grid;grid-template-columns:max-content auto;gap:6px 16px;margin:16px 0}"
    "dt{font-weight:bold}dd{margin:0}";

}  // namespace

std::string ReportDate() {
  const std::time_t now = std::time(nullptr);
  std::tm local{};
  localtime_r(&now, &local);
  char text[32];
  const size_t n = std::strftime(text, sizeof text, "%Y-%m-%d %H:%M", &local);
  return std::string(text, n);
}

std::string ResultsPage(const TReportHead& head, const std::vector<TReportEntry>& entries,
                        const fs::path& pageFolder) {
  bool pictures = false;
  for (const TReportEntry& e : entries) pictures = pictures || !e.picture.empty();

  std::string page;
  page += "<!DOCTYPE html>\n<html lang=\"ru\">\n<head>\n<meta charset=\"utf-8\">\n";
  page += "<title>Результаты проверки — " + Html(head.levelName) + "</title>\n";
  page += "<style>" + std::string(Style) + "</style>\n</head>\n<body>\n";
  page += "<h1>" + TwoLines("Результаты проверки решений", "Judging results") + "</h1>\n<dl>\n";
  page += "<dt>" + TwoLines("Уровень", "Level") + "</dt><dd>" + Html(head.levelName) + "</dd>\n";
  const std::string size = std::to_string(head.width) + " × " + std::to_string(head.height);
  page += "<dt>" + TwoLines("Размер поля", "Field size") + "</dt><dd>" + size + " клеток<br><span class=\"en\">" +
          size + " cells</span></dd>\n";
  page += "<dt>" + TwoLines("Дата", "Date") + "</dt><dd>" + Html(head.date) + "</dd>\n";
  page += "<dt>" + TwoLines("Файлов", "Files") + "</dt><dd>" + std::to_string(entries.size()) + "</dd>\n</dl>\n";

  page += "<h2>" + TwoLines("Места", "Ranking") + "</h2>\n";
  page += "<p>" +
          TwoLines("Меньше светильников — выше место; «-» — поле освещено не полностью.",
                   "Fewer lights rank higher; \"-\": the floor is not lit all over.") +
          "</p>\n";
  page += "<table>\n<thead><tr><th>" + TwoLines("Место", "Place") + "</th><th>" + TwoLines("Файл", "File") +
          "</th><th>" + TwoLines("Светильники", "Lights") + "</th><th>" + TwoLines("Освещено, %", "Lit share, %") +
          "</th><th>" + TwoLines("Замечания", "Remarks") + "</th>";
  if (pictures) page += "<th>" + TwoLines("Рисунок", "Picture") + "</th>";
  page += "</tr></thead>\n<tbody>\n";

  size_t place = 0;
  for (size_t i = 0; i < entries.size(); ++i) {
    const TReportEntry& e = entries[i];
    if (i == 0 || StandingOf(entries[i - 1].lights) != StandingOf(e.lights)) place = i + 1;
    const bool placed = e.readable && e.lights.has_value();
    page += placed ? "<tr>" : "<tr class=\"dark\">";
    page += "<td class=\"n\">" + (placed ? std::to_string(place) : std::string("—")) + "</td>";
    page += "<td class=\"file\">" + Html(e.file) + "</td>";
    page += "<td class=\"n\">" + (e.lights ? std::to_string(*e.lights) : std::string("-")) + "</td>";
    page += "<td class=\"n\">" + Html(e.readable ? e.share : "-") + "</td><td>";
    std::vector<std::string> remarks = e.remarks;
    if (!e.readable) remarks.insert(remarks.begin(), "the file cannot be read");
    if (!remarks.empty()) {
      page += "<ul>";
      for (const std::string& r : remarks) page += "<li>" + Html(r) + "</li>";
      page += "</ul>";
    }
    page += "</td>";
    if (pictures) {
      page += "<td>";
      if (!e.picture.empty()) {
        const std::string address = Html(PictureAddress(e.picture, pageFolder));
        page += "<a href=\"" + address + "\"><img src=\"" + address + "\" alt=\"" + Html(e.file) +
                "\" loading=\"lazy\"></a>";
      }
      page += "</td>";
    }
    page += "</tr>\n";
  }
  page += "</tbody>\n</table>\n</body>\n</html>\n";
  return page;
}
