// Seeded random player sessions on the real main window, held against the
// reference model after every action.
//
//   IMPROVES_SEQUENCES   how many sessions (default 40)
//   IMPROVES_FIRST_SEED  the seed of the first session (default 1)
//   IMPROVES_EVENTS      actions per session (default 200)

#include "model_session.h"
#include "window_test_support.h"

#include <deque>
#include <cstdint>
#include <optional>
#include <random>
#include <string>
#include <vector>

namespace {

using model::Box;

// What players leave in a number box: ordinary numbers, the edges of Intellect
// and of 16-bit arithmetic, numbers out of range and things that are not
// numbers at all.
const std::vector<std::string> kNumberTexts = {
    "1", "0", "7", "30", "45", "49", "50", "51", "100", "-1", "-7", "+12", " 25", "40 ", "007",
    "10922", "10923", "-10922", "-10923", "21844", "21845", "32767", "-32768", "32768", "-32769",
    "40000", "123456", "", "X", "abc", "1.5", "1a", "- 3", "--1", "+", " ", "\xc3\xa9" "1",
};
const std::vector<std::string> kSchoolTexts = {
    "Kraanan", "Shal'ille", "Faren", "Weapon Class", "Riija", "Qor", "Jala", "Select School",
    "qor", "Faren ", " Jala", "Shalille", "weapon class", "", "X",
};

int envInt(const char *name, int fallback)
{
    bool ok = false;
    const int value = qEnvironmentVariableIntValue(name, &ok);
    return ok ? value : fallback;
}

struct Event {
    enum Kind { Level, Spells, Type, TypeSchool, PickSchool, EnterIn, EnterButton, EnterInSchool };
    Kind kind;
    std::size_t target = 0; // column, box or list entry
    int option = 0;         // level option, spell count, or the Enter key used
    std::string text;

    std::string describe() const
    {
        const auto quoted = '"' + text + '"';
        switch (kind) {
        case Level:
            return "click " + std::string(model::kColumns[target].array) + "_" + std::to_string(option);
        case Spells:
            return "click spells_" + std::to_string(option);
        case Type:
            return "type " + quoted + " into " + std::string(calc::kBoxNames[target]);
        case TypeSchool:
            return "type " + quoted + " into Combo2";
        case PickSchool:
            return "pick " + std::string(calc::kSchools[target].name) + " in Combo2";
        case EnterIn:
            return "Enter in " + std::string(calc::kBoxNames[target]);
        case EnterButton:
            return "click enter";
        case EnterInSchool:
            return "Enter in Combo2";
        }
        return {};
    }
};

class EventSource {
public:
    explicit EventSource(unsigned seed) : rng_(seed) {}

    Event next(const model::Window &w)
    {
        const int roll = between(0, 99);
        if (roll < 30)
            return {Event::Level, pick(model::kColumns.size()), levelOption(), {}};
        if (roll < 38)
            return {Event::Spells, 0, between(1, 3), {}};
        if (roll < 63)
            return {Event::Type, enabledBox(w), 0, numberText()};
        if (roll < 70)
            return {Event::TypeSchool, 0, 0, kSchoolTexts[pick(kSchoolTexts.size())]};
        if (roll < 74)
            return {Event::PickSchool, pick(calc::kSchools.size()), 0, {}};
        if (roll < 91)
            return {Event::EnterIn, enabledBox(w), between(0, 1), {}};
        if (roll < 97)
            return {Event::EnterButton, 0, 0, {}};
        return {Event::EnterInSchool, 0, 0, {}};
    }

private:
    std::mt19937 rng_;

    // mt19937's output is fixed by the standard, the distributions are not:
    // reducing it by hand gives every standard library the same session.
    int between(int low, int high)
    {
        const auto span = static_cast<std::uint32_t>(high - low) + 1;
        return low + static_cast<int>(static_cast<std::uint32_t>(rng_()) % span);
    }
    std::size_t pick(std::size_t n) { return static_cast<std::size_t>(between(0, static_cast<int>(n) - 1)); }

    std::size_t enabledBox(const model::Window &w)
    {
        const std::size_t usable = w.spell3Enabled ? 4 : w.spell2Enabled ? 3 : 2;
        return pick(usable);
    }

    // Mostly "None" and "Level One", so that the floor and the Level-One
    // surcharge, which need low levels, come up often.
    int levelOption()
    {
        const int roll = between(0, 19);
        return roll < 8 ? 0 : roll < 13 ? 1 : between(2, 6);
    }

    std::string numberText()
    {
        const int roll = between(0, 9);
        if (roll < 5)
            return kNumberTexts[pick(kNumberTexts.size())];
        if (roll < 8)
            return std::to_string(between(-150, 150));
        return std::to_string(between(-40000, 40000));
    }
};

void play(const PlayerControls &c, const Event &e)
{
    switch (e.kind) {
    case Event::Level:
        clickOption(c.levels[e.target][static_cast<std::size_t>(e.option)]);
        break;
    case Event::Spells:
        clickOption(c.spells[static_cast<std::size_t>(e.option - 1)]);
        break;
    case Event::Type:
        retype(c.boxes[e.target], e.text);
        break;
    case Event::TypeSchool:
        retype(c.school->lineEdit(), e.text);
        break;
    case Event::PickSchool:
        c.school->setCurrentIndex(static_cast<int>(e.target));
        break;
    case Event::EnterIn:
        QTest::keyClick(c.boxes[e.target], e.option ? Qt::Key_Enter : Qt::Key_Return);
        break;
    case Event::EnterButton:
        QTest::mouseClick(c.enter, Qt::LeftButton);
        break;
    case Event::EnterInSchool:
        QTest::keyClick(c.school->lineEdit(), Qt::Key_Return);
        break;
    }
}

std::optional<model::Fault> play(model::Model &m, const Event &e)
{
    switch (e.kind) {
    case Event::Level:
        return m.clickLevel(e.target, e.option);
    case Event::Spells:
        return m.clickSpells(e.option);
    case Event::Type:
        m.type(static_cast<Box>(e.target), e.text);
        return std::nullopt;
    case Event::TypeSchool:
        m.typeSchool(e.text);
        return std::nullopt;
    case Event::PickSchool:
        m.typeSchool(std::string(calc::kSchools[e.target].name));
        return std::nullopt;
    case Event::EnterIn:
    case Event::EnterButton:
        return m.enter();
    case Event::EnterInSchool:
        return std::nullopt;
    }
    return std::nullopt;
}

} // namespace

class RandomSequencesTest : public QObject {
    Q_OBJECT

private slots:
    void windowFollowsTheModel()
    {
        const int sequences = envInt("IMPROVES_SEQUENCES", 40);
        const int firstSeed = envInt("IMPROVES_FIRST_SEED", 1);
        const int events = envInt("IMPROVES_EVENTS", 200);
        QVERIFY(sequences > 0 && events > 0);
        long played = 0;
        for (int seed = firstSeed; seed < firstSeed + sequences; ++seed) {
            Form1 form;
            QSignalSpy failures(&form, &Form1::failed);
            form.show();
            QVERIFY(QTest::qWaitForWindowExposed(&form));
            // The sessions compare state, not pixels: painting after every
            // action was most of their time.
            form.setUpdatesEnabled(false);
            const PlayerControls controls(form);
            model::Model m;
            QVERIFY(!m.load().has_value()); // the window loads from fixed texts

            EventSource source(static_cast<unsigned>(seed));
            std::deque<std::string> recent{"(window opened)"};
            for (int n = 0; n <= events; ++n) {
                std::optional<model::Fault> fault;
                failures.clear();
                if (n > 0) {
                    const Event e = source.next(m.window);
                    recent.push_back(e.describe());
                    if (recent.size() > 12)
                        recent.pop_front();
                    play(controls, e);
                    fault = play(m, e);
                }
                const QStringList diff =
                    differences(form, controls, m.window, reported(failures), fault);
                if (!diff.isEmpty()) {
                    QStringList lastEvents;
                    for (const std::string &s : recent)
                        lastEvents << QString::fromStdString(s);
                    QFAIL(qPrintable(QString("seed %1, event %2:\n  %3\nlast events:\n  %4")
                                         .arg(seed)
                                         .arg(n)
                                         .arg(diff.join("\n  "), lastEvents.join("\n  "))));
                }
                if (n > 0)
                    ++played;
            }
        }
        qInfo("%d sequences from seed %d, %ld events, no divergence", sequences, firstSeed, played);
    }
};

WINDOW_TEST_SUITE(random_sequences, RandomSequencesTest);

#include "random_sequences_test.moc"
