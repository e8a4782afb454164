// Command-line arguments as the bytes the shell passed. Qt's parser works
// on text, and decoding a name that is no valid UTF-8 (a file named in
// Latin-1 on an old disk, "latin\xe9.tuv") would turn its bad bytes into
// U+FFFD: the program would then look for, or write, a file of another
// name. Each byte is therefore carried as the character of the same number
// (Latin-1), which the options' ASCII names parse alike, and turned back
// into the very same bytes where a name or a message leaves the parser.
#pragma once

#include <QStringList>
#include <string>
#include <vector>

inline QString ArgumentText(const std::string& bytes) {
  return QString::fromLatin1(bytes.data(), qsizetype(bytes.size()));
}

// The bytes of an argument or of a text the parser made from arguments
// (its error texts name the option as given).
inline std::string ArgumentBytes(const QString& text) {
  const QByteArray bytes = text.toLatin1();
  return std::string(bytes.constData(), size_t(bytes.size()));
}

inline QStringList ByteArguments(int argc, char** argv) {
  QStringList arguments;
  for (int i = 0; i < argc; ++i) arguments << QString::fromLatin1(argv[i]);
  return arguments;
}

// program: the name in front, as parsers expect; args: the rest.
inline QStringList ByteArguments(const QString& program, const std::vector<std::string>& args) {
  QStringList arguments{program};
  for (const std::string& a : args) arguments << ArgumentText(a);
  return arguments;
}
