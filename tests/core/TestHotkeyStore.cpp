#include "store/ActiveHotkeyTable.h"
#include "store/HotkeyEntry.h"
#include "store/HotkeyList.h"
#include "store/WebAddress.h"

#include <QTest>

using namespace tarvex;

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
        QTest::newRow("website") << "http://a"
                                 << "website" << 1;
        QTest::newRow("secure website") << "https://a"
                                        << "website" << 1;
        QTest::newRow("action") << "-Log Off-"
                                << "action" << 2;
        QTest::newRow("none keeps position") << " "
                                             << "file" << 7;
        QTest::newRow("file uses target") << "/home/u/a.txt"
                                          << "/home/u/a.txt" << 0;
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
        QTest::newRow("valid") << "(Ctrl)a"
                               << "/home/u/My Files/a b.txt"
                               << "";
        QTest::newRow("star in target") << "a"
                                        << "/tmp/*.txt"
                                        << "target";
        QTest::newRow("bar in target") << "a"
                                       << "ls | wc"
                                       << "target";
        // A line break would split the line-based hotkey file.
        QTest::newRow("line feed in target") << "a"
                                             << "x\ny"
                                             << "line break";
        QTest::newRow("carriage return in target") << "a"
                                                   << "x\ry"
                                                   << "line break";
        QTest::newRow("line feed in combination") << "a\nb"
                                                  << "/x"
                                                  << "combination";
        QTest::newRow("star in combination") << "a*"
                                             << "/x"
                                             << "combination";
        QTest::newRow("bar in combination") << "|"
                                            << "/x"
                                            << "combination";
        QTest::newRow("keypad multiply") << "(Ctrl)(Num*)"
                                         << "/x"
                                         << "";
        QTest::newRow("star beside keypad multiply") << "(Num*)*"
                                                     << "/x"
                                                     << "combination";
        QTest::newRow("nul in target") << "a" << QStringLiteral("count.sh") + QChar(0) + ".txt"
                                       << "control characters";
        QTest::newRow("tab in target") << "a"
                                       << "a\tb"
                                       << "control characters";
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
        QTest::newRow("prefill alone") << "http://"
                                       << "http://" << false;
        QTest::newRow("host typed after prefill") << "http://example.org"
                                                  << "http://example.org" << true;
        QTest::newRow("secure address pasted") << "http://https://example.org/a?b"
                                               << "https://example.org/a?b" << true;
        QTest::newRow("same prefix typed again") << "http://HTTP://example.org"
                                                 << "HTTP://example.org" << true;
        QTest::newRow("other scheme pasted") << "http://ftp://files.example.org"
                                             << "ftp://files.example.org" << true;
        QTest::newRow("host that begins like a scheme") << "http://ftp.example.org"
                                                        << "http://ftp.example.org" << true;
        QTest::newRow("scheme half typed") << "http://https"
                                           << "http://https" << true;
        QTest::newRow("empty host with path") << "https:///index.html"
                                              << "https:///index.html" << false;
        QTest::newRow("no slashes") << "http:example.org"
                                    << "http:example.org" << false;
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
