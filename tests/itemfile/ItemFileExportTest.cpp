#include <fcntl.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/time.h>
#include <unistd.h>

#include <csignal>
#include <functional>
#include <map>

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QString>
#include <QStringList>

#include "itemfile/ItemFileExport.h"
#include "itemfile/ItemFileImport.h"
#include "store/Error.h"
#include "store/ItemDatabase.h"
#include "store/ItemTable.h"
#include "tests/support/ItemFileBuilder.h"
#include "tests/support/RecordingProgress.h"
#include "tests/support/TableRows.h"
#include "tests/support/TempDir.h"

namespace {

using namespace Qt::StringLiterals;
using itemfile::ExistingFile;
using itemfile::ExportVariant;
using testsupport::ItemFileBuilder;

constexpr int kName = 0;   // 宝贝名称, text(150)
constexpr int kPrice = 7;  // 宝贝价格, integer
constexpr int kMemo = 24;  // 宝贝描述, memo

const store::FieldDef& fieldAt(int i) {
    return store::itemFields()[static_cast<std::size_t>(i)];
}

// The 46 values of item record n: text fields hold their name and n, integer
// fields n * 100 + position; `changes` replaces some (a null QVariant for null).
QVariantList recordOf(int n, const std::map<int, QVariant>& changes = {}) {
    QVariantList values;
    for (int i = 0; i < store::kItemIdField; ++i) {
        const auto change = changes.find(i);
        if (change != changes.end()) {
            values << change->second;
        } else if (store::isTextKind(fieldAt(i).kind)) {
            values << QVariant(fieldAt(i).name + QString::number(n));
        } else {
            values << QVariant(static_cast<qlonglong>(n * 100 + i));
        }
    }
    return values;
}

QString sqlLiteral(const QVariant& value) {
    if (value.isNull()) {
        return u"NULL"_s;
    }
    if (value.typeId() == QMetaType::LongLong) {
        return value.toString();
    }
    return u'\'' + value.toString().replace(u'\'', u"''"_s) + u'\'';
}

// The TAB line the export writes for these values, built by hand.
QStringList tabValues(const QVariantList& values) {
    QStringList texts;
    for (int i = 0; i < values.size(); ++i) {
        const bool text = store::isTextKind(fieldAt(i).kind);
        texts << (text ? u'"' + values[i].toString() + u'"' : values[i].toString());
    }
    return texts;
}

// Whether a process other than this one could not write-lock the first `length` bytes.
bool lockedAgainstOthers(const QString& path, off_t length) {
    const int fd = ::open(QFile::encodeName(path).constData(), O_RDWR);
    struct flock lock = {};
    lock.l_type = F_WRLCK;
    lock.l_whence = SEEK_SET;
    lock.l_len = length;
    ::fcntl(fd, F_OFD_GETLK, &lock);
    ::close(fd);
    return lock.l_type != F_UNLCK;
}

class ExportTest : public testing::Test {
protected:
    void SetUp() override {
        m_database.connectFile(m_dbPath);
        m_database.openItemQuery();
    }

    void insert(const QVariantList& values) {
        QStringList names, literals;
        for (int i = 0; i < values.size(); ++i) {
            names << fieldAt(i).name;
            literals << sqlLiteral(values[i]);
        }
        testsupport::runSql(m_dbPath, u"INSERT INTO BabyData ("_s + names.join(u", "_s) +
                                          u") VALUES ("_s + literals.join(u", "_s) + u')');
        m_database.itemQuery.requery();
    }

    void exportTo(const QString& path, ExportVariant variant = ExportVariant::Tab,
                  ExistingFile existing = ExistingFile::Create) {
        m_success.clear();
        itemfile::exportItemFile(path, variant, existing, m_database.itemQuery, m_progress,
                                 {{}, [this](const QString& message) { m_success = message; }});
    }

    QString exportError(const QString& path, ExportVariant variant, ExistingFile existing) {
        try {
            exportTo(path, variant, existing);
        } catch (const store::Error& error) {
            return error.message();
        }
        return {};
    }

    testsupport::TempDir m_dir;
    QString m_dbPath = testsupport::createItemDatabase(m_dir);
    QString m_filePath = m_dir.path(u"out.csv"_s);
    store::ItemDatabase m_database;
    testsupport::RecordingProgress m_progress;
    QString m_success;
};

// ---------------------------------------------------------------- what is written

TEST_F(ExportTest, TabVariantWritesMarkHeaderAndQuotedTextLines) {
    const QVariantList first = recordOf(1);
    const QVariantList second =
        recordOf(2, {{kName, QVariant()}, {kPrice, QVariant()}, {kMemo, u"说\"明\r\n😀"_s}});
    insert(first);
    insert(second);
    exportTo(m_filePath);

    QVariantList secondWritten = second;
    secondWritten[kName] = QString();
    EXPECT_EQ(testsupport::readFile(m_filePath), ItemFileBuilder()
                                                     .header()
                                                     .record(tabValues(first))
                                                     .record(tabValues(secondWritten))
                                                     .bytes());
    EXPECT_EQ(m_success, u"已导出至 "_s + m_filePath);
    EXPECT_EQ(m_progress.counts(), u"当前/总数：2/2"_s);
    EXPECT_EQ(m_progress.events(), (QStringList{u"show"_s, u"close"_s}));
    EXPECT_TRUE(m_database.itemQuery.eof());
    EXPECT_EQ(m_database.itemQuery.recNo(), 1);
}

TEST_F(ExportTest, CommaVariantsAreGbkWithoutMark) {
    insert(recordOf(1, {{kName, u"a,b"_s}}));
    exportTo(m_filePath, ExportVariant::Comma);
    const QByteArray comma = testsupport::readFile(m_filePath);
    // 宝贝名称 in GBK, then the next name; the value with a comma is quoted.
    EXPECT_TRUE(comma.startsWith("\xB1\xA6\xB1\xB4\xC3\xFB\xB3\xC6,"))
        << comma.left(20).toHex().data();
    EXPECT_TRUE(comma.contains("\r\n\"a,b\",")) << comma.toHex().data();

    exportTo(m_filePath, ExportVariant::QuotedComma, ExistingFile::Overwrite);
    const QByteArray quoted = testsupport::readFile(m_filePath);
    EXPECT_TRUE(quoted.startsWith("\xB1\xA6\xB1\xB4\xC3\xFB\xB3\xC6,"));
    EXPECT_TRUE(quoted.contains(",107,")) << quoted.toHex().data();
    EXPECT_TRUE(quoted.endsWith("\"\r\n"));
}

TEST_F(ExportTest, FilteredSortedQueryWritesOnlyItsRecordsInItsOrder) {
    for (int n = 1; n <= 4; ++n) {
        insert(recordOf(n));
    }
    m_database.itemQuery.setFilter(u"[ID] > 1"_s);
    m_database.itemQuery.setFiltered(true);
    m_database.itemQuery.setSort(u"[ID] DESC"_s);
    exportTo(m_filePath);
    EXPECT_EQ(testsupport::readFile(m_filePath), ItemFileBuilder()
                                                     .header()
                                                     .record(tabValues(recordOf(4)))
                                                     .record(tabValues(recordOf(3)))
                                                     .record(tabValues(recordOf(2)))
                                                     .bytes());
}

TEST_F(ExportTest, RecordBeingInsertedIsPostedAndWritten) {
    insert(recordOf(1));
    m_database.itemQuery.append();
    m_database.itemQuery.field(kName).setText(u"新"_s);
    exportTo(m_filePath);
    EXPECT_TRUE(
        testsupport::readFile(m_filePath).contains(testsupport::utf16LeBytes(u"\r\n\"新\"\t"_s)));
    EXPECT_EQ(m_progress.counts(), u"当前/总数：2/2"_s);
}

TEST_F(ExportTest, RecordsAnotherProcessDeletedAreNotWrittenAsBlankLines) {
    for (int n = 1; n <= 3; ++n) {
        insert(recordOf(n));
    }
    testsupport::runSql(m_dbPath, u"DELETE FROM BabyData WHERE ID <> 2"_s);
    exportTo(m_filePath);
    EXPECT_EQ(testsupport::readFile(m_filePath),
              ItemFileBuilder().header().record(tabValues(recordOf(2))).bytes());
    EXPECT_EQ(m_progress.counts(), u"当前/总数：1/1"_s);
}

// ---------------------------------------------------------------- existing files

struct EmptyCase {
    const char* name;
    ExistingFile existing;
    QByteArray before;
    QByteArray after;
};

class ExportEmptyQueryTest : public ExportTest, public testing::WithParamInterface<EmptyCase> {};

TEST_P(ExportEmptyQueryTest, WritesNoByteNotEvenTheMark) {
    if (!GetParam().before.isNull()) {
        testsupport::writeFile(m_filePath, GetParam().before);
    }
    exportTo(m_filePath, ExportVariant::Tab, GetParam().existing);
    EXPECT_EQ(testsupport::readFile(m_filePath), GetParam().after);
    EXPECT_EQ(m_success, u"已导出至 "_s + m_filePath);
}

INSTANTIATE_TEST_SUITE_P(
    Files, ExportEmptyQueryTest,
    testing::Values(EmptyCase{"NewFile", ExistingFile::Create, QByteArray(), ""},
                    EmptyCase{"Appended", ExistingFile::Append, "old", "old"},
                    EmptyCase{"Overwritten", ExistingFile::Overwrite, "old", ""}),
    [](const testing::TestParamInfo<EmptyCase>& info) { return std::string(info.param.name); });

TEST_F(ExportTest, AppendWritesMarkAndHeaderAgainAfterOldContent) {
    insert(recordOf(1));
    testsupport::writeFile(m_filePath, "old\r\n");
    exportTo(m_filePath, ExportVariant::Tab, ExistingFile::Append);
    EXPECT_EQ(testsupport::readFile(m_filePath),
              "old\r\n" + ItemFileBuilder().header().record(tabValues(recordOf(1))).bytes());
}

// While the export writes, the whole file is locked: an import refuses it and
// so does a second export; a new file is not there at all until complete.
class ExportWhileWritingTest : public ExportTest,
                               public testing::WithParamInterface<ExistingFile> {};

TEST_P(ExportWhileWritingTest, NoOtherImportOrExportGetsTheFile) {
    insert(recordOf(1));
    if (GetParam() != ExistingFile::Create) {
        testsupport::writeFile(m_filePath, "old\r\n");
    }
    const QString copyPath = testsupport::createItemDatabase(m_dir, u"copy.mdb"_s);
    store::ItemDatabase copy;
    copy.connectFile(copyPath);
    copy.openItemQuery();
    QString importError, secondExportError;
    bool visible = false, farBytesLocked = false;
    itemfile::exportItemFile(
        m_filePath, ExportVariant::Tab, GetParam(), m_database.itemQuery, m_progress,
        {[&] {
             visible = QFile::exists(m_filePath);
             farBytesLocked = visible && lockedAgainstOthers(m_filePath, 0);
             try {
                 itemfile::importItemFile(m_filePath, copy.itemQuery, 40, m_progress);
             } catch (const store::Error& error) {
                 importError = error.message();
             }
             try {
                 itemfile::exportItemFile(m_filePath, ExportVariant::Tab, ExistingFile::Append,
                                          copy.itemQuery, m_progress);
             } catch (const store::Error& error) {
                 secondExportError = error.message();
             }
         },
         {}});
    EXPECT_EQ(visible, GetParam() != ExistingFile::Create);
    EXPECT_EQ(farBytesLocked, visible);
    EXPECT_FALSE(importError.isEmpty());
    EXPECT_EQ(secondExportError, u"打开写入文件失败！"_s);
    EXPECT_FALSE(lockedAgainstOthers(m_filePath, 0));
    const QByteArray written = ItemFileBuilder().header().record(tabValues(recordOf(1))).bytes();
    EXPECT_EQ(testsupport::readFile(m_filePath),
              GetParam() == ExistingFile::Append ? "old\r\n" + written : written);
    EXPECT_EQ(testsupport::querySingleInt(copyPath, u"SELECT count(*) FROM BabyData"_s), 0);
}

INSTANTIATE_TEST_SUITE_P(Modes, ExportWhileWritingTest,
                         testing::Values(ExistingFile::Create, ExistingFile::Overwrite,
                                         ExistingFile::Append),
                         [](const testing::TestParamInfo<ExistingFile>& info) {
                             return std::string(info.param == ExistingFile::Create   ? "Create"
                                                : info.param == ExistingFile::Append ? "Append"
                                                                                     : "Overwrite");
                         });

TEST_F(ExportTest, OfTwoExportsToOneNewFileTheLaterFailsAndNothingIsMixed) {
    insert(recordOf(1));
    const QString copyPath = testsupport::createItemDatabase(m_dir, u"copy.mdb"_s);
    testsupport::runSql(copyPath, u"INSERT INTO BabyData (宝贝名称) VALUES ('其他')"_s);
    store::ItemDatabase copy;
    copy.connectFile(copyPath);
    copy.openItemQuery();
    testsupport::RecordingProgress otherProgress;
    const QString error = [&] {
        try {
            itemfile::exportItemFile(m_filePath, ExportVariant::Tab, ExistingFile::Create,
                                     m_database.itemQuery, m_progress,
                                     {[&] {
                                          itemfile::exportItemFile(m_filePath, ExportVariant::Tab,
                                                                   ExistingFile::Create,
                                                                   copy.itemQuery, otherProgress);
                                      },
                                      {}});
        } catch (const store::Error& error) {
            return error.message();
        }
        return QString();
    }();
    EXPECT_EQ(error, u"打开写入文件失败！"_s);
    const QByteArray written = testsupport::readFile(m_filePath);
    EXPECT_TRUE(written.contains(testsupport::utf16LeBytes(u"\"其他\""_s)));
    EXPECT_FALSE(written.contains(testsupport::utf16LeBytes(u"宝贝名称1"_s)));
    EXPECT_EQ(QDir(m_dir.path(QString())).entryList(QDir::Files | QDir::Hidden).size(), 3)
        << "a temporary file is left";
}

// ---------------------------------------------------------------- failures

TEST_F(ExportTest, FileThatCannotBeOpenedFailsAndIsLeftAlone) {
    insert(recordOf(1));
    testsupport::writeFile(m_filePath, "old");
    bool detached = false;
    const auto attempt = [&](const QString& path, ExistingFile existing) {
        try {
            itemfile::exportItemFile(path, ExportVariant::Tab, existing, m_database.itemQuery,
                                     m_progress, {[&] { detached = true; }, {}});
        } catch (const store::Error& error) {
            return error.message();
        }
        return QString();
    };
    EXPECT_EQ(attempt(m_dir.path(u"none/out.csv"_s), ExistingFile::Create),
              u"打开写入文件失败！"_s);
    EXPECT_EQ(attempt(m_dir.path(u"none.csv"_s), ExistingFile::Append), u"打开写入文件失败！"_s);
    // A file that appeared after the question is not replaced unasked.
    EXPECT_EQ(attempt(m_filePath, ExistingFile::Create), u"打开写入文件失败！"_s);
    EXPECT_EQ(testsupport::readFile(m_filePath), "old");
    EXPECT_FALSE(detached);
    EXPECT_FALSE(m_progress.visible());
}

TEST_F(ExportTest, FileLockedByAnotherProcessIsNotWritten) {
    insert(recordOf(1));
    testsupport::writeFile(m_filePath, "old");
    const int fd = ::open(QFile::encodeName(m_filePath).constData(), O_RDONLY);
    struct flock lock = {};
    lock.l_type = F_RDLCK;
    lock.l_whence = SEEK_SET;
    ASSERT_EQ(::fcntl(fd, F_OFD_SETLK, &lock), 0);
    EXPECT_EQ(exportError(m_filePath, ExportVariant::Tab, ExistingFile::Append),
              u"打开写入文件失败！"_s);
    ::close(fd);
    EXPECT_EQ(testsupport::readFile(m_filePath), "old");
}

TEST_F(ExportTest, WriteFailureLeavesNoNewFile) {
    for (int n = 1; n <= 20; ++n) {
        insert(recordOf(n));
    }
    // A file size limit stands in for a full disk.
    struct rlimit limit = {};
    ASSERT_EQ(::getrlimit(RLIMIT_FSIZE, &limit), 0);
    const struct rlimit small = {4000, limit.rlim_max};
    const auto previousHandler = std::signal(SIGXFSZ, SIG_IGN);
    ASSERT_EQ(::setrlimit(RLIMIT_FSIZE, &small), 0);
    const QString error = exportError(m_filePath, ExportVariant::Tab, ExistingFile::Create);
    ::setrlimit(RLIMIT_FSIZE, &limit);
    std::signal(SIGXFSZ, previousHandler);

    EXPECT_TRUE(error == u"写入文件失败！"_s || error == u"写入文件大小不符！"_s)
        << error.toStdString();
    EXPECT_TRUE(m_success.isEmpty());
    EXPECT_EQ(m_progress.events(), (QStringList{u"show"_s, u"close"_s}));
    EXPECT_EQ(QDir(m_dir.path(QString())).entryList(QDir::Files | QDir::Hidden),
              QStringList{u"Data.mdb"_s});
}

TEST_F(ExportTest, TemporariesLeftByKilledExportsAreRemovedOnceStale) {
    const auto temporary = [&](const char* digits, bool stale) {
        const QString path = m_dir.path(u".out.csv.partial-"_s + QLatin1String(digits));
        testsupport::writeFile(path, "part");
        if (stale) {
            const struct timeval old[2] = {{1, 0}, {1, 0}};
            ::utimes(QFile::encodeName(path).constData(), old);
        }
        return path;
    };
    const QString left = temporary("0badf00d", true);
    const QString fresh = temporary("12345678", false);
    const QString beingWritten = temporary("abcdef01", true);
    const QString other = m_dir.path(u".out.csv.partial-x"_s);
    testsupport::writeFile(other, "mine");
    const int fd = ::open(QFile::encodeName(beingWritten).constData(), O_RDWR);
    struct flock lock = {};
    lock.l_type = F_WRLCK;
    lock.l_whence = SEEK_SET;
    ASSERT_EQ(::fcntl(fd, F_OFD_SETLK, &lock), 0);
    exportTo(m_filePath);
    ::close(fd);
    EXPECT_FALSE(QFile::exists(left));
    EXPECT_TRUE(QFile::exists(fresh));
    EXPECT_TRUE(QFile::exists(beingWritten));
    EXPECT_TRUE(QFile::exists(other));
    EXPECT_TRUE(QFile::exists(m_filePath));
}

// Overwriting and appending write only regular files that may be written,
// never the database, and keep the file's mode and links.
struct RefusedCase {
    const char* name;
    // Makes the target beside the database and returns its path.
    std::function<QString(const QString& database, const testsupport::TempDir& dir)> prepare;
    ExistingFile existing;
};

class ExportRefusedTest : public ExportTest, public testing::WithParamInterface<RefusedCase> {};

TEST_P(ExportRefusedTest, FailsToOpenAndChangesNothing) {
    insert(recordOf(1));
    const QString target = GetParam().prepare(m_dbPath, m_dir);
    const QByteArray databaseBefore = testsupport::readFile(m_dbPath);
    EXPECT_EQ(exportError(target, ExportVariant::Tab, GetParam().existing),
              u"打开写入文件失败！"_s);
    EXPECT_EQ(testsupport::readFile(m_dbPath), databaseBefore);
    EXPECT_EQ(testsupport::querySingleInt(m_dbPath, u"SELECT count(*) FROM BabyData"_s), 1);
    EXPECT_TRUE(m_success.isEmpty());
}

QString fifoIn(const testsupport::TempDir& dir) {
    const QString path = dir.path(u"p.csv"_s);
    ::mkfifo(QFile::encodeName(path).constData(), 0666);
    return path;
}

INSTANTIATE_TEST_SUITE_P(
    Targets, ExportRefusedTest,
    testing::Values(
        RefusedCase{"DatabaseOverwritten", [](const QString& db, auto&) { return db; },
                    ExistingFile::Overwrite},
        RefusedCase{"DatabaseAppended", [](const QString& db, auto&) { return db; },
                    ExistingFile::Append},
        RefusedCase{"DatabaseThroughALink",
                    [](const QString& db, const testsupport::TempDir& dir) {
                        QFile::link(db, dir.path(u"link.csv"_s));
                        return dir.path(u"link.csv"_s);
                    },
                    ExistingFile::Overwrite},
        RefusedCase{"DatabaseJournal",
                    [](const QString& db, auto&) { return QString(db + u"-journal"_s); },
                    ExistingFile::Create},
        RefusedCase{"Fifo", [](auto&, const testsupport::TempDir& dir) { return fifoIn(dir); },
                    ExistingFile::Overwrite},
        RefusedCase{"FifoAppended",
                    [](auto&, const testsupport::TempDir& dir) { return fifoIn(dir); },
                    ExistingFile::Append},
        RefusedCase{"Folder",
                    [](auto&, const testsupport::TempDir& dir) {
                        QDir().mkdir(dir.path(u"sub"_s));
                        return dir.path(u"sub"_s);
                    },
                    ExistingFile::Overwrite},
        RefusedCase{"ReadOnlyFile",
                    [](auto&, const testsupport::TempDir& dir) {
                        const QString path = dir.path(u"r.csv"_s);
                        testsupport::writeFile(path, "old");
                        QFile::setPermissions(path, QFile::ReadOwner | QFile::ReadOther);
                        return path;
                    },
                    ExistingFile::Overwrite}),
    [](const testing::TestParamInfo<RefusedCase>& info) { return std::string(info.param.name); });

TEST_F(ExportTest, OverwriteKeepsModeAndHardLinks) {
    insert(recordOf(1));
    testsupport::writeFile(m_filePath, "old");
    const QString link = m_dir.path(u"link.csv"_s);
    ASSERT_EQ(
        ::link(QFile::encodeName(m_filePath).constData(), QFile::encodeName(link).constData()), 0);
    ::chmod(QFile::encodeName(m_filePath).constData(), 0600);
    exportTo(m_filePath, ExportVariant::Tab, ExistingFile::Overwrite);
    struct stat status = {};
    ASSERT_EQ(::stat(QFile::encodeName(m_filePath).constData(), &status), 0);
    EXPECT_EQ(status.st_mode & 07777, 0600u);
    EXPECT_EQ(status.st_nlink, 2u);
    EXPECT_EQ(testsupport::readFile(link), testsupport::readFile(m_filePath));
    EXPECT_TRUE(testsupport::readFile(link).startsWith("\xFF\xFE"));
}

// ---------------------------------------------------------------- round trips

TEST_F(ExportTest, TabExportImportsBackIntoTheSame46Fields) {
    insert(recordOf(1, {{kMemo, u"ä😀€\"x\""_s}, {kName, u"\"引号\""_s}}));
    insert(recordOf(2, {{kName, QVariant()}, {kPrice, QVariant()}, {kPrice + 1, -5LL}}));
    exportTo(m_filePath);

    const QString copyPath = testsupport::createItemDatabase(m_dir, u"copy.mdb"_s);
    store::ItemDatabase copy;
    copy.connectFile(copyPath);
    copy.openItemQuery();
    itemfile::importItemFile(m_filePath, copy.itemQuery, 40, m_progress);

    const QString select = u"SELECT * FROM BabyData ORDER BY ID"_s;
    QList<QVariantList> original = testsupport::queryRows(m_dbPath, select);
    const QList<QVariantList> imported = testsupport::queryRows(copyPath, select);
    original[1][kName] = u""_s;  // a null text comes back as an empty text
    ASSERT_EQ(imported.size(), 2);
    EXPECT_EQ(imported[0].mid(0, 46), original[0].mid(0, 46));
    EXPECT_EQ(imported[1].mid(0, 46), original[1].mid(0, 46));
}

TEST_F(ExportTest, FileAppendedToImportsWithoutTheSecondHeader) {
    insert(recordOf(1));
    exportTo(m_filePath);
    exportTo(m_filePath, ExportVariant::Tab, ExistingFile::Append);
    itemfile::importItemFile(m_filePath, m_database.itemQuery, 40, m_progress);
    const QList<QVariantList> rows =
        testsupport::queryRows(m_dbPath, u"SELECT * FROM BabyData ORDER BY ID"_s);
    ASSERT_EQ(rows.size(), 3);
    EXPECT_EQ(rows[1].mid(0, 46), rows[0].mid(0, 46));
    EXPECT_EQ(rows[2].mid(0, 46), rows[0].mid(0, 46));
}

TEST_F(ExportTest, GeneratedItemFileComesBackByteForByte) {
    const QString generator = qEnvironmentVariable("SHARED_DIR") + u"/tools/gen_items.py"_s;
    if (!QFile::exists(generator)) {
        GTEST_SKIP() << "no item file generator";
    }
    const QString generated = m_dir.path(u"generated.csv"_s);
    ASSERT_EQ(QProcess::execute(u"python3"_s,
                                {generator, u"--records"_s, u"300"_s, u"--desc-chars"_s, u"300"_s,
                                 u"--variant"_s, u"tab"_s, u"--out"_s, generated}),
              0);
    itemfile::importItemFile(generated, m_database.itemQuery, 40, m_progress);
    exportTo(m_filePath);
    EXPECT_EQ(testsupport::readFile(m_filePath), testsupport::readFile(generated));
}

// ---------------------------------------------------------------- names

TEST(ExportFileNameTest, CsvIsAppendedUnlessTheNameEndsWithIt) {
    const std::vector<std::pair<QString, QString>> cases = {{u"a"_s, u"a.csv"_s},
                                                            {u"a.csv"_s, u"a.csv"_s},
                                                            {u"a.CSV"_s, u"a.CSV.csv"_s},
                                                            {u"a.txt"_s, u"a.txt.csv"_s},
                                                            {u"a.csv.bak"_s, u"a.csv.bak.csv"_s}};
    for (const auto& [chosen, written] : cases) {
        EXPECT_EQ(itemfile::exportFileName(chosen), written);
    }
}

}  // namespace
