#pragma once

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QString>

namespace narrix::testing {

// What ffprobe, a reader independent of ours, finds in an audio file.
struct AudioProbe
{
    bool read = false;
    QString container; // ffprobe's format name: "wav", "mp3", "ogg", "flac"
    QString codec;     // "pcm_s16le", "mp3", "vorbis", "opus", "flac"
    int rate = 0;
    int channels = 0;
    double seconds = 0;
    QJsonObject tags; // the file's and the stream's tags, names in lower case
};

inline AudioProbe probeAudio(const QString& path)
{
    AudioProbe probe;
    QProcess ffprobe;
    ffprobe.start(QStringLiteral("ffprobe"),
                  {QStringLiteral("-v"), QStringLiteral("error"), QStringLiteral("-print_format"),
                   QStringLiteral("json"), QStringLiteral("-show_format"), QStringLiteral("-show_streams"),
                   path});
    if (!ffprobe.waitForFinished(30000) || ffprobe.exitCode() != 0)
        return probe;
    const QJsonObject root = QJsonDocument::fromJson(ffprobe.readAllStandardOutput()).object();
    const QJsonObject format = root.value(QStringLiteral("format")).toObject();
    const QJsonObject stream = root.value(QStringLiteral("streams")).toArray().first().toObject();
    probe.read = !format.isEmpty() && !stream.isEmpty();
    probe.container = format.value(QStringLiteral("format_name")).toString();
    probe.codec = stream.value(QStringLiteral("codec_name")).toString();
    probe.rate = stream.value(QStringLiteral("sample_rate")).toString().toInt();
    probe.channels = stream.value(QStringLiteral("channels")).toInt();
    probe.seconds = format.value(QStringLiteral("duration")).toString().toDouble();
    for (const QJsonObject& tags :
         {format.value(QStringLiteral("tags")).toObject(), stream.value(QStringLiteral("tags")).toObject()}) {
        for (auto it = tags.begin(); it != tags.end(); ++it)
            probe.tags.insert(it.key().toLower(), it.value());
    }
    return probe;
}

} // namespace narrix::testing
