#pragma once

#include <QStringDecoder>

#include <map>
#include <memory>
#include <string>
#include <string_view>

namespace narrix {

// The Windows code page of an RTF font character set (\fcharsetN); 0 when the set names none (ANSI,
// default, symbol: the document's code page applies).
int codePageOfCharset(int charset);

// Decodes 8-bit text in a Windows code page (1252, 1251, 932, ...) to UTF-8, keeping one decoder per
// code page. A code page the system does not know is read as Windows-1252.
class CodePageDecoders
{
public:
    std::string toUtf8(std::string_view bytes, int codePage);

private:
    QStringDecoder* decoderFor(int codePage);
    std::map<int, std::unique_ptr<QStringDecoder>> decoders_;
};

} // namespace narrix
