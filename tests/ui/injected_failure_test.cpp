// Every handler that recalculates, meeting a failure in every place one can
// arise: the failure is reported once, the displays keep the last result,
// what the handler wrote before it stays, and the next action works.

#include "model_session.h"
#include "window_test_support.h"


namespace {

using model::Box;

struct Place {
    const char *name;
    Box box;
    const char *text;
    unsigned counts; // the spell counts under which this text fails, as bits 1 << count
};
constexpr unsigned kAnyCount = 0b1110;
const Place kPlaces[] = {
    {"txtInt not a number", Box::txtInt, "abc", kAnyCount},
    {"Spell1 empty", Box::Spell1, "", kAnyCount},
    {"Spell2 X", Box::Spell2, "X", 1u << 2 | 1u << 3},
    {"Spell3 letters", Box::Spell3, "seven", 1u << 3},
    {"credit of one spell", Box::Spell1, "10923", 1u << 1},
    {"credit of two spells", Box::Spell1, "32767", 1u << 2},
    {"credit of three spells", Box::Spell1, "32767", 1u << 3},
    {"credit taken off", Box::Spell1, "-32768", 1u << 2 | 1u << 3},
};

struct Handler {
    enum Kind { Level, Spells, EnterIn, EnterButton };
    const char *name;
    Kind kind;
    std::size_t target = 0; // column, or box
    int option = 0;         // level option, or spell count
};
// Each level click goes above "Level One", so a kept level shows in the
// result once the failure is mended.
const Handler kHandlers[] = {
    {"Kraanan_Click", Handler::Level, 0, 6},  {"Shally_Click", Handler::Level, 1, 2},
    {"Riija_Click", Handler::Level, 2, 3},    {"Jala_Click", Handler::Level, 3, 4},
    {"Qor_Click", Handler::Level, 4, 5},      {"Faren_Click", Handler::Level, 5, 3},
    {"WC_Click", Handler::Level, 6, 2},       {"spells_Click 1", Handler::Spells, 0, 1},
    {"spells_Click 2", Handler::Spells, 0, 2}, {"spells_Click 3", Handler::Spells, 0, 3},
    {"txtInt_KeyPress", Handler::EnterIn, 0}, {"Spell1_KeyPress", Handler::EnterIn, 1},
    {"Spell2_KeyPress", Handler::EnterIn, 2}, {"Spell3_KeyPress", Handler::EnterIn, 3},
    {"Command1_Click", Handler::EnterButton},
};

bool usable(std::size_t box, int count) { return box < 2 || (box == 2 && count >= 2) || count == 3; }

// The spell count a row runs under, or 0 when the handler cannot meet the
// failure (a spell-count click resets the boxes it enables, and Enter cannot
// be pressed in a disabled box).
int countFor(const Handler &h, const Place &p)
{
    if (h.kind == Handler::Spells)
        return (p.box == Box::txtInt || p.box == Box::Spell1) && (p.counts & 1u << h.option) ? h.option : 0;
    const int count = p.counts & 1u << 3 ? 3 : p.counts & 1u << 2 ? 2 : 1;
    if (h.kind == Handler::EnterIn && !usable(h.target, count))
        return 0;
    return count;
}

} // namespace

class InjectedFailureTest : public WindowTest {
    Q_OBJECT


private:
    std::optional<model::Fault> trigger(const PlayerControls &c, model::Model &m, const Handler &h)
    {
        switch (h.kind) {
        case Handler::Level:
            clickOption(c.levels[h.target][static_cast<std::size_t>(h.option)]);
            return m.clickLevel(h.target, h.option);
        case Handler::Spells:
            clickOption(c.spells[static_cast<std::size_t>(h.option - 1)]);
            return m.clickSpells(h.option);
        case Handler::EnterIn:
            QTest::keyClick(c.boxes[h.target], Qt::Key_Return);
            return m.enter();
        case Handler::EnterButton:
            QTest::mouseClick(c.enter, Qt::LeftButton);
            return m.enter();
        }
        return std::nullopt;
    }

private slots:
    void failureIsReportedOnceAndNothingKeptIsLost_data()
    {
        QTest::addColumn<int>("handler");
        QTest::addColumn<int>("place");
        for (int h = 0; h < int(std::size(kHandlers)); ++h)
            for (int p = 0; p < int(std::size(kPlaces)); ++p)
                if (countFor(kHandlers[h], kPlaces[p]) != 0)
                    QTest::addRow("%s / %s", kHandlers[h].name, kPlaces[p].name) << h << p;
    }
    void failureIsReportedOnceAndNothingKeptIsLost()
    {
        QFETCH(int, handler);
        QFETCH(int, place);
        const Handler &h = kHandlers[handler];
        const Place &p = kPlaces[place];
        const PlayerControls c(*form_);
        model::Model m;
        m.load();

        const int count = countFor(h, p);
        if (h.kind != Handler::Spells && count != 3) {
            clickOption(c.spells[static_cast<std::size_t>(count - 1)]);
            m.clickSpells(count);
        }
        retype(c.box(p.box), p.text);
        m.type(p.box, p.text);
        const QString shownTitle = form_->windowTitle(), shownTotal = c.total->text(),
                      shownVerdict = c.verdict->text();
        failures_->clear();

        const std::optional<model::Fault> fault = trigger(c, m, h);
        QVERIFY2(fault.has_value(), "the model sees no failure in this row");
        QCOMPARE(failures_->size(), 1);
        QCOMPARE(form_->windowTitle(), shownTitle);
        QCOMPARE(c.total->text(), shownTotal);
        QCOMPARE(c.verdict->text(), shownVerdict);
        QCOMPARE(c.box(p.box)->text(), QString(p.text));
        QCOMPARE(differences(*form_, c, m.window, reports(), fault), QStringList());

        // Mend the box and go on: the result now includes what the failed
        // handler stored.
        retype(c.box(p.box), "1");
        m.type(p.box, "1");
        failures_->clear();
        QTest::mouseClick(c.enter, Qt::LeftButton);
        QVERIFY(!m.enter().has_value());
        QCOMPARE(differences(*form_, c, m.window, reports(), std::nullopt), QStringList());
    }
};

WINDOW_TEST_SUITE(injected_failure, InjectedFailureTest);

#include "injected_failure_test.moc"
