// vozozo speaks with the voice and speed set in Narrix unless told otherwise: a file made without
// --voice and --speed is the file made with Narrix's voice and speed named.
#include "vozozo/vozozo_voices.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QProcessEnvironment>
#include <QSettings>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace narrix {
namespace {

using namespace Qt::StringLiterals;

const QString kSlt = u"SLT, American English female (flite)"_s;
const QString kKal = u"KAL, American English male (flite)"_s;

// Writes Narrix's settings under `configFolder` as Narrix keeps them; an empty value is left out.
void setNarrixChoice(const QString& configFolder, const QString& voice, const QString& speed)
{
    QDir().mkpath(configFolder + u"/Quillmark"_s);
    SettingsFile file(configFolder + u"/Quillmark/Narrix.conf"_s);
    if (!voice.isEmpty())
        file.values().setValue(u"Voice"_s, voice);
    if (!speed.isEmpty())
        file.values().setValue(u"Speed"_s, speed);
    QString error;
    ASSERT_TRUE(file.save(&error)) << error.toStdString();
}

QByteArray convert(const QString& configFolder, const QString& input, const QString& output,
                   QStringList options)
{
    QProcess process;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(u"XDG_CONFIG_HOME"_s, configFolder);
    process.setProcessEnvironment(environment);
    options << input << u"-o"_s << output << u"--jobs"_s << u"1"_s;
    process.start(qEnvironmentVariable("NARRIX_BINARY_DIR") + u"/src/vozozo/vozozo"_s, options);
    EXPECT_TRUE(process.waitForFinished(120000));
    EXPECT_EQ(process.exitCode(), 0) << process.readAllStandardError().toStdString();
    QFile file(output);
    EXPECT_TRUE(file.open(QIODevice::ReadOnly)) << output.toStdString();
    return file.readAll();
}

TEST(VozozoDefaults, NarrixVoiceAndSpeedUnlessNamed)
{
    const struct
    {
        QString storedVoice;
        QString storedSpeed;
        QStringList options;    // what the run names itself
        QStringList equivalent; // the same run with everything named
    } cases[] = {
        {kKal, u"300"_s, {}, {u"--voice"_s, kKal, u"--speed"_s, u"300"_s}},
        {kKal, u"300"_s, {u"--speed"_s, u"120"_s}, {u"--voice"_s, kKal, u"--speed"_s, u"120"_s}},
        {kKal, u"300"_s, {u"--voice"_s, kSlt}, {u"--voice"_s, kSlt, u"--speed"_s, u"300"_s}},
        // A voice vozozo does not have (one of the speech service's) gives the first; a speed that is no
        // number gives vozozo's own.
        {u"English (America) (speech-dispatcher espeak-ng)"_s,
         u"fast"_s,
         {},
         {u"--voice"_s, kSlt, u"--speed"_s, u"175"_s}},
        {u""_s, u""_s, {}, {u"--voice"_s, kSlt, u"--speed"_s, u"175"_s}},
    };
    QTemporaryDir dir;
    const QString input = dir.filePath(u"text.txt"_s);
    {
        QFile text(input);
        ASSERT_TRUE(text.open(QIODevice::WriteOnly));
        text.write("Voices set once serve every program.\n");
    }
    const QString emptyConfig = dir.filePath(u"none"_s);
    int n = 0;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.storedVoice.toStdString() + " " + c.storedSpeed.toStdString());
        const QString config = dir.filePath(u"config%1"_s.arg(++n));
        setNarrixChoice(config, c.storedVoice, c.storedSpeed);
        const NarrixSpeechChoice read = readNarrixSpeechChoice(config + u"/Quillmark/Narrix.conf"_s);
        EXPECT_EQ(read.voice, c.storedVoice);
        EXPECT_EQ(read.speed, c.storedSpeed.toInt());

        const QByteArray byDefault =
            convert(config, input, dir.filePath(u"default%1.wav"_s.arg(n)), c.options);
        const QByteArray named =
            convert(emptyConfig, input, dir.filePath(u"named%1.wav"_s.arg(n)), c.equivalent);
        EXPECT_GT(byDefault.size(), 1000);
        EXPECT_TRUE(byDefault == named)
            << "the file differs from the one made with the voice and speed named";
    }
}

} // namespace
} // namespace narrix
