// Turns pictures into C++ arrays of their pixels, at build time.
//
//   quantelo_picture_converter OUTPUT.cpp NAME=PICTURE...
//
// Decodes each PICTURE with Qt's image readers (plug-ins included: the JPEG
// title picture, the ICO icon) and writes OUTPUT.cpp, which defines for each
// NAME a `const quantelo::PictureData NAME` in namespace quantelo::pictures
// (resources/picture_data.h): width, height, whether it has an alpha channel,
// and the pixels as 32-bit 0xAARRGGBB words, row by row, top row first (the
// memory layout of QImage::Format_RGB32 or Format_ARGB32 on any machine).
// Opaque pictures are stored as RGB32 with alpha 0xff, others as ARGB32,
// not premultiplied. The output depends only on the pictures and the
// decoder, never on the machine that compiles it.

#include <QCoreApplication>
#include <QFileInfo>
#include <QImage>
#include <QImageReader>
#include <QSaveFile>
#include <QString>
#include <QStringList>

#include <cstdio>

namespace {

bool isIdentifier(const QString& name)
{
    if (name.isEmpty() || name.front().isDigit())
        return false;
    for (const QChar c : name) {
        if (!(c.isLetterOrNumber() && c.unicode() < 128) && c != QLatin1Char('_'))
            return false;
    }
    return true;
}

// The pixel array and the description of one picture; empty with `error`
// set if it cannot be read.
QByteArray definition(const QString& name, const QString& path, QByteArray& description, QString& error)
{
    QImageReader reader(path);
    QImage image = reader.read();
    if (image.isNull()) {
        error = QStringLiteral("%1: %2").arg(path, reader.errorString());
        return {};
    }
    const bool alpha = image.hasAlphaChannel();
    image = image.convertToFormat(alpha ? QImage::Format_ARGB32 : QImage::Format_RGB32);
    description = "const PictureData " + name.toLatin1() + "{" + QByteArray::number(image.width()) + ", "
        + QByteArray::number(image.height()) + ", " + (alpha ? "true" : "false") + ", " + name.toLatin1()
        + "Pixels};\n";

    QByteArray out;
    out += "// " + QFileInfo(path).fileName().toUtf8() + ", " + reader.format() + ", "
        + QByteArray::number(image.width()) + " x " + QByteArray::number(image.height()) + "\n";
    out += "constexpr std::uint32_t " + name.toLatin1() + "Pixels[] = {\n";
    int inLine = 0;
    for (int y = 0; y < image.height(); ++y) {
        const auto* row = reinterpret_cast<const QRgb*>(image.constScanLine(y));
        for (int x = 0; x < image.width(); ++x) {
            out += inLine == 0 ? "    " : " ";
            out += "0x" + QByteArray::number(row[x], 16).rightJustified(8, '0') + "U,";
            if (++inLine == 8) {
                out += '\n';
                inLine = 0;
            }
        }
    }
    if (inLine != 0)
        out += '\n';
    out += "};\n";
    return out;
}

} // namespace

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    const QStringList arguments = QCoreApplication::arguments().mid(1);
    if (arguments.size() < 2) {
        std::fprintf(stderr, "usage: quantelo_picture_converter OUTPUT.cpp NAME=PICTURE...\n");
        return 2;
    }

    QByteArray pixels;
    QByteArray pictures;
    for (const QString& argument : arguments.mid(1)) {
        const qsizetype equals = argument.indexOf(QLatin1Char('='));
        const QString name = argument.left(equals);
        if (equals < 0 || !isIdentifier(name)) {
            std::fprintf(stderr, "quantelo_picture_converter: not NAME=PICTURE: %s\n", qPrintable(argument));
            return 2;
        }
        QString error;
        QByteArray description;
        const QByteArray defined = definition(name, argument.mid(equals + 1), description, error);
        if (defined.isEmpty()) {
            std::fprintf(stderr, "quantelo_picture_converter: %s\n", qPrintable(error));
            return 1;
        }
        pixels += defined;
        pictures += description;
    }

    QSaveFile file(arguments.front());
    if (!file.open(QIODevice::WriteOnly)) {
        std::fprintf(stderr, "quantelo_picture_converter: cannot write %s\n", qPrintable(arguments.front()));
        return 1;
    }
    file.write("// Made by quantelo_picture_converter at build time; do not edit.\n"
               "#include \"resources/picture_data.h\"\n\n"
               "#include <cstdint>\n\n"
               "namespace quantelo::pictures {\n"
               "namespace {\n\n");
    file.write(pixels);
    file.write("\n} // namespace\n\n");
    file.write(pictures);
    file.write("\n} // namespace quantelo::pictures\n");
    return file.commit() ? 0 : 1;
}
