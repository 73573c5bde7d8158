// SPDX-License-Identifier: GPL-3.0-or-later

#include "documents/DocumentConverters.h"

#include "documents/EditorLoader.h"
#include "tests/support/TemporaryFiles.h"
#include "tests/support/WaitUntil.h"

#include <csignal>
#include <gtest/gtest.h>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QLockFile>
#include <QStandardPaths>
#include <QTextEdit>
#include <QTimer>

using namespace documents;
using namespace std::chrono_literals;

namespace {

const QString FakeConverters = QStringLiteral(CONVERTERS_DIR);
const QString RealDocuments = QStringLiteral(DOCUMENTS_DIR);

// The converters over a data folder of their own, with the fake outside programs unless told.
struct Converting : testing::Test {
    Converting()
    {
        qputenv("PATH", FakeConverters.toLocal8Bit() + ":/usr/bin:/bin");
        qputenv("FAKE_CONVERTER_LOG", log().toLocal8Bit());
        qputenv("FAKE_CONVERTER_MODE", "text");
        editor.setPlainText(QStringLiteral("before"));
    }
    ~Converting() override { qputenv("PATH", path); }

    QString dataFolder() const { return data.folder.path() + u'/'; }
    QString log() const { return files.folder.filePath(QStringLiteral("arguments")); }
    QStringList arguments() const
    {
        QFile file(log());
        if (!file.open(QIODevice::ReadOnly))
            return {};
        return QString::fromUtf8(file.readAll()).split(u'\n', Qt::SkipEmptyParts);
    }
    QStringList leftInDataFolder() const
    {
        return QDir(data.folder.path()).entryList(QDir::Files | QDir::Dirs | QDir::NoDotAndDotDot);
    }
    std::string text() const { return editor.toPlainText().trimmed().toStdString(); }
    std::string said() const { return messages.join(u'\n').toStdString(); }

    const QByteArray path = qgetenv("PATH");
    testsupport::TemporaryFiles files, data;
    QTextEdit editor;
    EditorLoader loader{editor};
    QStringList messages;
    ConverterSetup setup{[this] { return dataFolder(); }, FakeConverters + u'/', 2s};
    DocumentConverters converters{loader, setup, [this](const QString& m) { messages << m; }};
};

// Gone, or killed and waiting for the system to reap it. A killed process dies when the system
// next runs it, which under load may be a moment later.
bool processIsGone(const QString& pidFile)
{
    QFile file(pidFile);
    if (!file.open(QIODevice::ReadOnly))
        return false;
    QFile status(QStringLiteral("/proc/%1/stat").arg(file.readAll().trimmed().toInt()));
    return !status.open(QIODevice::ReadOnly) || status.readAll().contains(") Z ");
}

// What opening the PDF throws; empty when nothing is thrown.
std::string pdfError(DocumentConverters& converters, const QString& pdf)
{
    try {
        converters.LoadPdfFile(pdf);
    } catch (const std::runtime_error& error) {
        return error.what();
    }
    return {};
}

} // namespace

TEST_F(Converting, AWordDocumentsTextReplacesTheEditorsAndNothingIsLeftBehind)
{
    const QString document = files.write(QStringLiteral("My \"Report\".doc"), "doc");
    data.write(QStringLiteral("tempdoc.txt"), "left by an earlier run");
    std::optional<Qt::CursorShape> cursorWhileConverting;
    QTimer::singleShot(0, [&] {
        if (QGuiApplication::overrideCursor())
            cursorWhileConverting = QGuiApplication::overrideCursor()->shape();
    });
    converters.LoadDocFile(document);
    EXPECT_EQ(text(), "converted: My \"Report\"");
    EXPECT_EQ(cursorWhileConverting, Qt::WaitCursor);
    EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);
    const QStringList given = arguments();
    ASSERT_EQ(given.size(), 7) << given.join(u'|').toStdString();
    EXPECT_EQ(
        given.mid(0, 5),
        (QStringList{"--headless", "-env:UserInstallation=file://" + dataFolder() + "LibreOffice",
                     "--convert-to", "txt:Text (encoded):UTF8", "--outdir"}));
    EXPECT_TRUE(given[5].startsWith(dataFolder() + "convert-"));
    EXPECT_EQ(given[6], document);
    EXPECT_TRUE(leftInDataFolder().isEmpty()) << leftInDataFolder().join(u' ').toStdString();
    EXPECT_TRUE(messages.isEmpty());
}

// "No Word" is for a missing word processor alone; otherwise the user learns which document
// failed and why.
TEST_F(Converting, AWordProcessorFailureIsOneMessageSayingWhyAndLeavesTheEditorAsItWas)
{
    const QString document = files.write(QStringLiteral("report.docx"), "doc");
    const std::string cannot = "Cannot convert \"" + document.toStdString() + "\". ";
    const auto failureSays = [&](const std::string& message, const char* what) {
        EXPECT_EQ(said(), message) << what;
        EXPECT_EQ(text(), "before") << what;
        EXPECT_TRUE(leftInDataFolder().isEmpty()) << what;
        EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr) << what;
        messages.clear();
    };
    qputenv("FAKE_CONVERTER_MODE", "refuse");
    data.write(QStringLiteral("tempdoc.txt"), "left by an earlier run");
    converters.LoadDocFile(document);
    failureSays(cannot + "LibreOffice: source file could not be loaded.", "damaged");

    qputenv("FAKE_CONVERTER_MODE", "nothing");
    converters.LoadDocFile(document);
    failureSays(cannot + "LibreOffice wrote no text.", "no text written");

    qputenv("FAKE_CONVERTER_MODE", "hang");
    converters.LoadDocFile(document);
    failureSays(cannot + "LibreOffice did not finish within 2 seconds.", "never ends");
    EXPECT_TRUE(testsupport::waitUntil([&] { return processIsGone(log() + ".child"); }, 5000));

    const QString missing = files.folder.filePath(QStringLiteral("missing.doc"));
    converters.LoadDocFile(missing);
    failureSays("Cannot convert \"" + missing.toStdString() + "\". No such file or directory.",
                "no document");

    qputenv("PATH", "/nonexistent");
    converters.LoadDocFile(document);
    failureSays(DocumentConverters::NoWordProcessor, "no word processor");

    testsupport::TemporaryFiles broken;
    QFile::setPermissions(broken.write(QStringLiteral("soffice"), "#!/nonexistent\n"),
                          QFile::ReadOwner | QFile::ExeOwner);
    qputenv("PATH", broken.folder.path().toLocal8Bit());
    converters.LoadDocFile(document);
    failureSays(DocumentConverters::NoWordProcessor, "a word processor that does not start");
}

TEST_F(Converting, APdfIsReadThroughPdftotextWithItsPathAsOneArgument)
{
    const QString pdf = files.write(QStringLiteral("a b \"c\".pdf"), "%PDF");
    converters.LoadPdfFile(pdf);
    EXPECT_EQ(text(), "text of a b \"c\".pdf");
    EXPECT_EQ(arguments(), (QStringList{"-q", pdf, dataFolder() + "temppdf.txt"}));
    EXPECT_TRUE(leftInDataFolder().isEmpty());

    const QString here = QDir::currentPath();
    QDir::setCurrent(files.folder.path());
    converters.LoadPdfFile(QFileInfo(files.write(QStringLiteral("-v.pdf"), "%PDF")).fileName());
    QDir::setCurrent(here);
    EXPECT_EQ(arguments().value(1), files.folder.filePath(QStringLiteral("-v.pdf")));

    QFile::remove(log());
    DocumentConverters withoutPdftotext(loader, {setup.dataFolder, files.folder.path() + u'/', 2s},
                                        [](const QString&) {});
    withoutPdftotext.LoadPdfFile(pdf);
    EXPECT_EQ(text(), "text of -v.pdf");
    EXPECT_FALSE(QFile::exists(log()));
}

TEST_F(Converting, APdfThatGivesNoTextIsAnErrorSayingWhyAndTheEditorStays)
{
    const QString pdf = files.write(QStringLiteral("broken.pdf"), "not a pdf");
    data.write(QStringLiteral("temppdf.txt"), "left by an earlier run");
    const std::pair<const char*, const char*> failures[] = {
        {"exit1", "It is damaged, needs a password, or is not a PDF file"},
        {"exit3", "Copying its text is not allowed"},
        {"nothing", "pdftotext wrote no text"},
        {"hang", "pdftotext did not finish within 2 seconds"},
    };
    for (const auto& [mode, reason] : failures) {
        qputenv("FAKE_CONVERTER_MODE", mode);
        EXPECT_EQ(pdfError(converters, pdf),
                  "Cannot open file \"" + pdf.toStdString() + "\". " + reason);
    }
    EXPECT_TRUE(testsupport::waitUntil([&] { return processIsGone(log() + ".child"); }, 5000));
    EXPECT_EQ(text(), "before");
    EXPECT_TRUE(leftInDataFolder().isEmpty());
    EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);
}

// A data folder that cannot be written, as in a read-only home: it lies under a regular file, so
// that not even root can make it.
TEST_F(Converting, ADataFolderThatCannotBeWrittenIsNamedAndTheEditorStays)
{
    const QString pdf = files.write(QStringLiteral("mine.pdf"), "%PDF");
    const QString doc = files.write(QStringLiteral("mine.odt"), "doc");
    const QString folder = files.write(QStringLiteral("a file"), "") + "/lectorix";
    DocumentConverters readOnly{loader,
                                {[&] { return folder + u'/'; }, setup.systemFolder, 2s},
                                [this](const QString& m) { messages << m; }};
    const std::string reason = "The data folder \"" + folder.toStdString() + "\" cannot be written";
    EXPECT_EQ(pdfError(readOnly, pdf), "Cannot open file \"" + pdf.toStdString() + "\". " + reason);
    readOnly.LoadDocFile(doc);
    EXPECT_EQ(said(), "Cannot convert \"" + doc.toStdString() + "\". " + reason + ".");
    EXPECT_EQ(text(), "before");
    EXPECT_TRUE(arguments().isEmpty());
}

// Another copy of the program shares the data folder and its temporary files: while it converts,
// this one waits, then gives up rather than read the other's text; afterwards it converts.
TEST_F(Converting, WhileAnotherCopyConvertsNothingIsConvertedOverIt)
{
    const QString pdf = files.write(QStringLiteral("mine.pdf"), "%PDF");
    const QString doc = files.write(QStringLiteral("mine.doc"), "doc");
    const QString busy =
        "Cannot open file \"%1\". Another copy of the program is converting a document";
    DocumentConverters waitingBriefly{loader,
                                      {setup.dataFolder, setup.systemFolder, 300ms},
                                      [this](const QString& m) { messages << m; }};
    auto otherCopy = std::make_unique<QLockFile>(dataFolder() + "convert.lock");
    ASSERT_TRUE(otherCopy->tryLock());

    try {
        waitingBriefly.LoadPdfFile(pdf);
        ADD_FAILURE() << "converted while another copy converts";
    } catch (const std::runtime_error& error) {
        EXPECT_EQ(QString::fromUtf8(error.what()), busy.arg(pdf));
    }
    waitingBriefly.LoadDocFile(doc);
    EXPECT_EQ(messages, QStringList{busy.arg(doc)});
    EXPECT_TRUE(arguments().isEmpty());
    EXPECT_EQ(text(), "before");

    otherCopy.reset();
    waitingBriefly.LoadPdfFile(pdf);
    EXPECT_EQ(text(), "text of mine.pdf");
    EXPECT_TRUE(leftInDataFolder().isEmpty());
}

// LibreOffice and pdftotext themselves, on documents LibreOffice wrote.
TEST_F(Converting, RealDocumentsGiveTheirTextChineseIncluded)
{
    qputenv("PATH", path);
    if (QStandardPaths::findExecutable(QStringLiteral("soffice")).isEmpty() ||
        !QFile::exists(QStringLiteral("/usr/bin/pdftotext")))
        GTEST_SKIP() << "needs LibreOffice and pdftotext";
    const std::string expected = "The keeper wound the clock.\n灯塔看守人给钟上了发条。";
    DocumentConverters real(loader, {setup.dataFolder, QStringLiteral("/usr/bin/"), 120s},
                            [this](const QString& m) { messages << m; });
    for (const char* name : {"sample.doc", "sample.docx", "sample.odt"}) {
        editor.clear();
        real.LoadDocFile(RealDocuments + u'/' + QLatin1String(name));
        EXPECT_EQ(text(), expected) << name;
    }
    editor.clear();
    real.LoadPdfFile(RealDocuments + QStringLiteral("/sample.pdf"));
    EXPECT_EQ(text(), expected);
    EXPECT_TRUE(messages.isEmpty());
    EXPECT_EQ(leftInDataFolder(), QStringList{QStringLiteral("LibreOffice")});
}

TEST_F(Converting, RealDamagedDocumentsSayWhyTheyGaveNoText)
{
    qputenv("PATH", path);
    if (QStandardPaths::findExecutable(QStringLiteral("soffice")).isEmpty() ||
        !QFile::exists(QStringLiteral("/usr/bin/pdftotext")))
        GTEST_SKIP() << "needs LibreOffice and pdftotext";
    const auto truncated = [&](const char* name) {
        QFile whole(RealDocuments + u'/' + QLatin1String(name));
        return whole.open(QIODevice::ReadOnly) ? files.write(QLatin1String(name), whole.read(2000))
                                               : QString();
    };
    DocumentConverters real(loader, {setup.dataFolder, QStringLiteral("/usr/bin/"), 120s},
                            [this](const QString& m) { messages << m; });
    const QString docx = truncated("sample.docx");
    real.LoadDocFile(docx);
    EXPECT_EQ(said(), "Cannot convert \"" + docx.toStdString() +
                          "\". LibreOffice: source file could not be loaded.");
    const QString pdf = truncated("sample.pdf");
    EXPECT_EQ(pdfError(real, pdf), "Cannot open file \"" + pdf.toStdString() +
                                       "\". It is damaged, needs a password, or is not a PDF file");
    EXPECT_EQ(text(), "before");
}
