#include "store/ActiveHotkeyTable.h"
#include "store/HotkeyEntry.h"
#include "store/HotkeyList.h"
#include "store/WebAddress.h"

#include <QTest>

using namespace tarvex;
using namespace Qt::StringLiterals;

Q_DECLARE_METATYPE(tarvex::TargetKind)

class TestHotkeyStore final : public QObject
{
    Q_OBJECT

private slots:
    void classify_data()
    {
        QTest::addColumn<QString>("target");
        QTest::addColumn<TargetKind>("kind");
        QTest::newRow("web") << "http://example.org" << TargetKind::Website;
        QTest::newRow("upper-case web") << "HTTP://EXAMPLE.ORG" << TargetKind::Website;
        QTest::newRow("secure web") << "https://example.org" << TargetKind::Website;
        QTest::newRow("secure web, capitals, no slashes")
            << "HTTPS:example.org" << TargetKind::Website;
        QTest::newRow("any scheme with slashes")
            << "ftp://files.example.org" << TargetKind::Website;
        QTest::newRow("scheme with digits and dots") << "svn+ssh.2://h" << TargetKind::Website;
        QTest::newRow("scheme without slashes") << "mailto:a@example.org" << TargetKind::File;
        QTest::newRow("not a scheme") << "my file://x" << TargetKind::File;
        QTest::newRow("relative path with colon") << "./a://b" << TargetKind::File;
        QTest::newRow("space before web") << " http://example.org" << TargetKind::File;
        QTest::newRow("two spaces") << "  " << TargetKind::None;
        QTest::newRow("empty") << "" << TargetKind::None;
        QTest::newRow("tab is not blank") << "\t" << TargetKind::File;
        QTest::newRow("known action") << "-Restart-" << TargetKind::Special;
        QTest::newRow("any dash text") << "-whatever" << TargetKind::Special;
        QTest::newRow("space before dash") << " -Restart-" << TargetKind::File;
        QTest::newRow("path") << "/usr/bin/xterm" << TargetKind::File;
        QTest::newRow("short http") << "http" << TargetKind::File;
    }

    void classify()
    {
        QFETCH(QString, target);
        QFETCH(TargetKind, kind);
        QCOMPARE(ClassifyTarget(target), kind);
    }

    void iconKeyAndSelector_data()
    {
        QTest::addColumn<QString>("target");
        QTest::addColumn<QString>("iconKey");
        QTest::addColumn<int>("position");
        QTest::newRow("website") << u"http://a"_s << u"website"_s << 1;
        QTest::newRow("secure website") << u"https://a"_s << u"website"_s << 1;
        QTest::newRow("action") << u"-Log Off-"_s << u"action"_s << 2;
        QTest::newRow("none keeps position") << u" "_s << u"file"_s << 7;
        QTest::newRow("file uses target") << u"/home/u/a.txt"_s << u"/home/u/a.txt"_s << 0;
    }

    void iconKeyAndSelector()
    {
        QFETCH(QString, target);
        QFETCH(QString, iconKey);
        QFETCH(int, position);
        QCOMPARE(IconKeyFor({QStringLiteral("a"), target}), iconKey);
        QCOMPARE(TypeSelectorPosition(ClassifyTarget(target), 7), position);
    }

    void listKeepsOrderAndDuplicates()
    {
        HotkeyList list;
        QCOMPARE(list.append({"a", "/x"}), 1);
        QCOMPARE(list.append({"a", "/x"}), 2);
        QCOMPARE(list.append({"b", "/y"}), 3);
        list.remove(1);
        QCOMPARE(list.count(), 2);
        QCOMPARE(list.at(1), (HotkeyEntry{"a", "/x"}));
        QCOMPARE(list.at(2), (HotkeyEntry{"b", "/y"}));
        list.replace(2, {"c", "/z"});
        QCOMPARE(list.at(2).combination, QStringLiteral("c"));
    }

    void listIgnoresBadPositions()
    {
        HotkeyList list;
        list.append({"a", "/x"});
        list.remove(0);
        list.remove(2);
        list.replace(5, {"q", "q"});
        QCOMPARE(list.count(), 1);
        QCOMPARE(list.at(0), HotkeyEntry{});
        QCOMPARE(list.at(-3), HotkeyEntry{});
    }

    void tableSplits_data()
    {
        QTest::addColumn<QString>("line");
        QTest::addColumn<QStringList>("combinations");
        QTest::addColumn<QStringList>("targets"); // "<none>" = no target element
        QTest::newRow("empty line, no records") << "" << QStringList{} << QStringList{};
        QTest::newRow("two records") << "a*/x|(Ctrl)b*-Restart-" << QStringList{"a", "(Ctrl)b"}
                                     << QStringList{"/x", "-Restart-"};
        QTest::newRow("no star") << "abc" << QStringList{"abc"} << QStringList{"<none>"};
        QTest::newRow("second star ends target")
            << "a*t*rest" << QStringList{"a"} << QStringList{"t"};
        QTest::newRow("trailing bar gives empty record")
            << "a*t|" << QStringList{"a", ""} << QStringList{"t", "<none>"};
        QTest::newRow("empty target") << "k*" << QStringList{"k"} << QStringList{""};
        QTest::newRow("keypad multiply is no separator")
            << "(Num*)*/m|a(Num*)(Num*)b*/n*x" << QStringList{"(Num*)", "a(Num*)(Num*)b"}
            << QStringList{"/m", "/n"};
    }

    void tableSplits()
    {
        QFETCH(QString, line);
        QFETCH(QStringList, combinations);
        QFETCH(QStringList, targets);
        ActiveHotkeyTable table;
        table.replaceFromText(line);
        QCOMPARE(table.size(), combinations.size());
        for (int i = 0; i < table.size(); ++i) {
            QCOMPARE(table.combinationAt(i), combinations.at(i));
            QCOMPARE(table.targetAt(i).value_or(QStringLiteral("<none>")), targets.at(i));
        }
    }

    void validation_data()
    {
        QTest::addColumn<QString>("combination");
        QTest::addColumn<QString>("target");
        QTest::addColumn<QString>("mentions"); // empty = valid
        QTest::newRow("valid") << u"(Ctrl)a"_s << u"/home/u/My Files/a b.txt"_s << u""_s;
        QTest::newRow("star in target") << u"a"_s << u"/tmp/*.txt"_s << u"target"_s;
        QTest::newRow("bar in target") << u"a"_s << u"ls | wc"_s << u"target"_s;
        // A line break would split the line-based hotkey file.
        QTest::newRow("line feed in target") << u"a"_s << u"x\ny"_s << u"line break"_s;
        QTest::newRow("carriage return in target") << u"a"_s << u"x\ry"_s << u"line break"_s;
        QTest::newRow("line feed in combination") << u"a\nb"_s << u"/x"_s << u"combination"_s;
        QTest::newRow("star in combination") << u"a*"_s << u"/x"_s << u"combination"_s;
        QTest::newRow("bar in combination") << u"|"_s << u"/x"_s << u"combination"_s;
        QTest::newRow("keypad multiply") << u"(Ctrl)(Num*)"_s << u"/x"_s << u""_s;
        QTest::newRow("star beside keypad multiply") << u"(Num*)*"_s << u"/x"_s << u"combination"_s;
        QTest::newRow("nul in target")
            << u"a"_s << QStringLiteral("count.sh") + QChar(0) + ".txt" << u"control characters"_s;
        QTest::newRow("tab in target") << u"a"_s << u"a\tb"_s << u"control characters"_s;
    }

    void validation()
    {
        QFETCH(QString, combination);
        QFETCH(QString, target);
        QFETCH(QString, mentions);
        const QString error = ValidateHotkeyEntry({combination, target});
        QCOMPARE(error.isEmpty(), mentions.isEmpty());
        QVERIFY(error.contains(mentions));
    }

    void webAddressEntry_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("kept");
        QTest::addColumn<bool>("hasHost");
        QTest::newRow("prefill alone") << u"http://"_s << u"http://"_s << false;
        QTest::newRow("host typed after prefill")
            << u"http://example.org"_s << u"http://example.org"_s << true;
        QTest::newRow("secure address pasted")
            << u"http://https://example.org/a?b"_s << u"https://example.org/a?b"_s << true;
        QTest::newRow("same prefix typed again")
            << u"http://HTTP://example.org"_s << u"HTTP://example.org"_s << true;
        QTest::newRow("other scheme pasted")
            << u"http://ftp://files.example.org"_s << u"ftp://files.example.org"_s << true;
        QTest::newRow("host that begins like a scheme")
            << u"http://ftp.example.org"_s << u"http://ftp.example.org"_s << true;
        QTest::newRow("scheme half typed") << u"http://https"_s << u"http://https"_s << true;
        QTest::newRow("empty host with path")
            << u"https:///index.html"_s << u"https:///index.html"_s << false;
        QTest::newRow("no slashes") << u"http:example.org"_s << u"http:example.org"_s << false;
    }

    void webAddressEntry()
    {
        QFETCH(QString, typed);
        QFETCH(QString, kept);
        QFETCH(bool, hasHost);
        QCOMPARE(WithoutDoubledWebPrefix(typed), kept);
        QCOMPARE(ValidateWebAddress(kept).isEmpty(), hasHost);
    }
};

QTEST_GUILESS_MAIN(TestHotkeyStore)
#include "TestHotkeyStore.moc"
