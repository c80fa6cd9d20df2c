#pragma once

// Documents made by real producers from text the tests write: pandoc (DOCX, ODT, EPUB 2 and 3),
// groff (PDF) and ghostscript (PDF from PostScript, encrypted or without text).

#include <QByteArray>
#include <QProcess>
#include <QString>
#include <QStringList>

#include <zip.h>

#include <string>
#include <utility>
#include <vector>

namespace narrix::test {

// Runs `program` with `arguments`, `input` on its standard input; empty when it fails.
inline QString runProducer(const QString& program, const QStringList& arguments, const QByteArray& input = {})
{
    QProcess process;
    process.start(program, arguments);
    if (!process.waitForStarted(10000))
        return QStringLiteral("cannot start ") + program;
    process.write(input);
    process.closeWriteChannel();
    if (!process.waitForFinished(120000) || process.exitStatus() != QProcess::NormalExit ||
        process.exitCode() != 0)
        return program + QStringLiteral(" failed: ") + QString::fromUtf8(process.readAllStandardError());
    return {};
}

// A short book in Markdown: two chapters, bold, italic, a list, a table and a footnote.
inline const QByteArray kSampleMarkdown = R"(---
title: Sample Book
---

# First Chapter

The quick brown fox jumps over the **lazy** dog. An *italic* word here.[^1]

- apple
- pear

| Name | Value |
|------|-------|
| a    | 1     |

[^1]: A footnote text.

# Second Chapter

More text in the second chapter.
)";

// pandoc's `format` (docx, odt, epub3, epub2) of `markdown` written to `path`; empty or the failure.
inline QString pandoc(const QByteArray& markdown, const QString& format, const QString& path)
{
    return runProducer(QStringLiteral("pandoc"),
                       {QStringLiteral("-f"), QStringLiteral("markdown"), QStringLiteral("-t"), format,
                        QStringLiteral("-o"), path},
                       markdown);
}

// groff -ms source typeset as PDF into `path`.
inline QString groffPdf(const QByteArray& source, const QString& path)
{
    QProcess process;
    process.setStandardOutputFile(path);
    process.start(QStringLiteral("groff"), {QStringLiteral("-ms"), QStringLiteral("-Tpdf")});
    if (!process.waitForStarted(10000))
        return QStringLiteral("cannot start groff");
    process.write(source);
    process.closeWriteChannel();
    if (!process.waitForFinished(120000) || process.exitCode() != 0)
        return QStringLiteral("groff failed: ") + QString::fromUtf8(process.readAllStandardError());
    return {};
}

// PostScript turned into PDF by ghostscript; `extra` adds options (encryption).
inline QString ghostscriptPdf(const QString& postScriptPath, const QString& path, QStringList extra = {})
{
    QStringList arguments{QStringLiteral("-q"),
                          QStringLiteral("-dNOPAUSE"),
                          QStringLiteral("-dBATCH"),
                          QStringLiteral("-dSAFER"),
                          QStringLiteral("-sDEVICE=pdfwrite"),
                          QStringLiteral("-sOutputFile=") + path};
    arguments << extra << postScriptPath;
    return runProducer(QStringLiteral("gs"), arguments);
}

// Rewrites a zip archive in place: `removed` members deleted, `added` (name, bytes) put in (replacing
// a member of that name). Empty on success.
inline QString rewriteZip(const QString& path, const QStringList& removed,
                          const std::vector<std::pair<std::string, std::string>>& added)
{
    int status = 0;
    zip_t* archive = zip_open(path.toLocal8Bit().constData(), 0, &status);
    if (archive == nullptr)
        return QStringLiteral("cannot open the zip");
    for (const QString& name : removed) {
        const zip_int64_t index = zip_name_locate(archive, name.toUtf8().constData(), 0);
        if (index >= 0)
            zip_delete(archive, static_cast<zip_uint64_t>(index));
    }
    for (const auto& [name, bytes] : added) {
        zip_source_t* source = zip_source_buffer(archive, bytes.data(), bytes.size(), 0);
        zip_file_add(archive, name.c_str(), source, ZIP_FL_OVERWRITE);
    }
    return zip_close(archive) == 0 ? QString() : QStringLiteral("cannot write the zip");
}

} // namespace narrix::test
