#include "base/rtf_code_pages.h"

#include "base/text_encoding.h"

#include <QByteArray>
#include <QString>

#include <array>
#include <vector>

namespace narrix {

int codePageOfCharset(int charset)
{
    struct Entry
    {
        int charset;
        int codePage;
    };
    static constexpr std::array<Entry, 19> entries{{{77, 10000},
                                                    {128, 932},
                                                    {129, 949},
                                                    {130, 1361},
                                                    {134, 936},
                                                    {136, 950},
                                                    {161, 1253},
                                                    {162, 1254},
                                                    {163, 1258},
                                                    {177, 1255},
                                                    {178, 1256},
                                                    {186, 1257},
                                                    {204, 1251},
                                                    {222, 874},
                                                    {238, 1250},
                                                    {254, 437},
                                                    {255, 850},
                                                    {78, 10001},
                                                    {89, 10007}}};
    for (const Entry& entry : entries)
        if (entry.charset == charset)
            return entry.codePage;
    return 0;
}

QStringDecoder* CodePageDecoders::decoderFor(int codePage)
{
    auto found = decoders_.find(codePage);
    if (found != decoders_.end())
        return found->second.get();
    // The names the system's converters know the code page by, most specific first.
    std::vector<std::string> names;
    switch (codePage) {
    case 932:
        names = {"windows-31j", "Shift_JIS"};
        break;
    case 936:
        names = {"GBK", "GB2312"};
        break;
    case 949:
        names = {"windows-949", "EUC-KR"};
        break;
    case 950:
        names = {"Big5"};
        break;
    case 10000:
        names = {"macintosh"};
        break;
    case 20866:
        names = {"KOI8-R"};
        break;
    case 21866:
        names = {"KOI8-U"};
        break;
    default:
        if (codePage > 28590 && codePage < 28606)
            names = {"ISO-8859-" + std::to_string(codePage - 28590)};
        names.push_back("windows-" + std::to_string(codePage));
        names.push_back("cp" + std::to_string(codePage));
        names.push_back("IBM" + std::to_string(codePage));
    }
    std::unique_ptr<QStringDecoder> decoder;
    for (const std::string& name : names) {
        auto candidate = std::make_unique<QStringDecoder>(name.c_str(), QStringConverter::Flag::Stateless);
        if (candidate->isValid()) {
            decoder = std::move(candidate);
            break;
        }
    }
    QStringDecoder* result = decoder.get();
    decoders_.emplace(codePage, std::move(decoder));
    return result;
}

std::string CodePageDecoders::toUtf8(std::string_view bytes, int codePage)
{
    if (codePage == 65001)
        return decodeUnlabelledToUtf8(bytes);
    QStringDecoder* decoder =
        codePage == 1252 || codePage == 20127 || codePage == 28591 ? nullptr : decoderFor(codePage);
    if (!decoder)
        return windows1252ToUtf8(bytes);
    // Stateless: a lead byte without its trail byte becomes U+FFFD instead of waiting for more.
    QString text = decoder->decode(QByteArrayView(bytes.data(), static_cast<qsizetype>(bytes.size())));
    // The system converters mark a byte they cannot read with SUB; the program's mark is U+FFFD.
    text.replace(QChar(0x1A), QChar(QChar::ReplacementCharacter));
    const QByteArray utf8 = text.toUtf8();
    return std::string(utf8.constData(), static_cast<std::size_t>(utf8.size()));
}

} // namespace narrix
