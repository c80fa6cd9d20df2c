// Build tool: renders the program's scalable icon into the square PNG sizes of the icon theme.
// Usage: narrix_render_icon ICON.svg OUTPUT_FOLDER SIZE... (writes OUTPUT_FOLDER/SIZExSIZE/narrix.png)
#include <QDir>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QSvgRenderer>

#include <cstdio>

int main(int argc, char** argv)
{
    if (argc < 4) {
        std::fprintf(stderr, "usage: %s ICON.svg OUTPUT_FOLDER SIZE...\n", argv[0]);
        return 2;
    }
    QSvgRenderer renderer{QString::fromLocal8Bit(argv[1])};
    if (!renderer.isValid()) {
        std::fprintf(stderr, "%s: cannot read %s\n", argv[0], argv[1]);
        return 1;
    }
    const QDir output(QString::fromLocal8Bit(argv[2]));
    for (int i = 3; i < argc; ++i) {
        const int size = QByteArray(argv[i]).toInt();
        if (size <= 0)
            return 2;
        QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
        image.fill(Qt::transparent);
        QPainter painter(&image);
        painter.setRenderHint(QPainter::Antialiasing);
        renderer.render(&painter);
        painter.end();
        const QString folder = QStringLiteral("%1x%1").arg(size);
        output.mkpath(folder);
        if (!image.save(output.filePath(folder + QStringLiteral("/narrix.png")))) {
            std::fprintf(stderr, "%s: cannot write the %d-pixel icon\n", argv[0], size);
            return 1;
        }
    }
    return 0;
}
