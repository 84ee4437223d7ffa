#include "calendar/TSkyPanel.h"

#include "calendar/TSkyPlaceFrm.h"
#include "widgets/Platform.h"
#include "widgets/TLinkLabel.h"

#include <QLabel>
#include <QPainter>
#include <QPainterPath>
#include <QtMath>

namespace {
constexpr int MoonSize = 30;
constexpr int LineHeight = 14;

QString Clock(const std::optional<TDateTime> &time)
{
    if (!time)
        return QStringLiteral("brak");
    const int minutes = int(std::lround((*time - std::floor(*time)) * 1440.0)) % 1440;
    return QStringLiteral("%1:%2")
        .arg(minutes / 60, 2, 10, QLatin1Char('0'))
        .arg(minutes % 60, 2, 10, QLatin1Char('0'));
}

QString Periods(const DaySky &sky, bool major)
{
    QStringList texts;
    for (const SolunarPeriod &p : sky.periods)
        if (p.major == major)
            texts << Clock(p.start) + QStringLiteral("–") + Clock(p.end);
    return texts.isEmpty() ? QStringLiteral("brak") : texts.join(QStringLiteral(", "));
}

QString Degrees(double value, QChar positive, QChar negative)
{
    return QString::number(std::abs(value), 'f', 2).replace(QLatin1Char('.'), QLatin1Char(',')) + QStringLiteral("° ") +
           (value < 0 ? negative : positive);
}

QString PlaceText(const SkyPlace &place)
{
    if (place == SkyPlaces::Default())
        return QStringLiteral("Środek Polski");
    for (const SkyPlace &listed : SkyPlaces::Listed())
        if (listed == place)
            return place.name;
    return Degrees(place.site.latitude, QLatin1Char('N'), QLatin1Char('S')) + QStringLiteral(", ") +
           Degrees(place.site.longitude, QLatin1Char('E'), QLatin1Char('W'));
}

QLabel *MakeLine(QWidget *parent, const char *name, int x, int y, int width)
{
    auto *label = new QLabel(parent);
    label->setObjectName(QLatin1String(name));
    label->setGeometry(x, y, width, LineHeight);
    return label;
}
} // namespace

TSkyPanel::TSkyPanel(QWidget *parent) : QWidget(parent), m_place(SkyPlaces::Load())
{
    setObjectName(QStringLiteral("SkyPanel"));
    const int textLeft = MoonSize + 8;
    PhaseLabel = MakeLine(this, "PhaseLabel", textLeft, 1, 200);
    QFont bold = PhaseLabel->font();
    bold.setBold(true);
    PhaseLabel->setFont(bold);

    PlaceLabel = new TLinkLabel(QString(), this);
    PlaceLabel->setObjectName(QStringLiteral("PlaceLabel"));
    PlaceLabel->setGeometry(textLeft, 1 + LineHeight, 200, LineHeight);
    QFont underlined = PlaceLabel->font();
    underlined.setUnderline(true);
    PlaceLabel->setFont(underlined);
    QPalette navy = PlaceLabel->palette();
    navy.setColor(QPalette::WindowText, QColor(0, 0, 128));
    PlaceLabel->setPalette(navy);
    PlaceLabel->setCursor(Qt::PointingHandCursor);
    PlaceLabel->setFocusPolicy(Qt::TabFocus);
    PlaceLabel->setToolTip(QStringLiteral("Zmień miejsce, dla którego liczone jest niebo"));
    connect(PlaceLabel, &TLinkLabel::clicked, this, &TSkyPanel::PlaceLabelClick);

    const int top = MoonSize + 6;
    SunLabel = MakeLine(this, "SunLabel", 2, top, 240);
    MoonLabel = MakeLine(this, "MoonLabel", 2, top + LineHeight, 240);
    MajorLabel = MakeLine(this, "MajorLabel", 2, top + 2 * LineHeight, 240);
    MinorLabel = MakeLine(this, "MinorLabel", 2, top + 3 * LineHeight, 240);
    setToolTip(QStringLiteral("Okresy solunarne, w których według teorii solunarnej ryby żerują chętniej:\n"
                              "główne – dwie godziny wokół górowania i dołowania Księżyca,\n"
                              "drugorzędne – godzina wokół jego wschodu i zachodu.\n"
                              "Wszystkie godziny w czasie polskim."));
    setFixedHeight(top + 4 * LineHeight + 2);
}

void TSkyPanel::ShowDay(TDateTime day)
{
    if (m_shown && DateOf(day) == m_sky.day)
        return;
    m_sky = SkyOfDay(day, m_place.site);
    m_shown = true;
    ShowSky();
}

void TSkyPanel::ShowSky()
{
    PhaseLabel->setText(
        QStringLiteral("%1, %2%").arg(MoonPhaseName(m_sky.phase)).arg(std::lround(m_sky.litFraction * 100)));
    PlaceLabel->setText(PlaceText(m_place));
    SunLabel->setText(QStringLiteral("Słońce: wschód %1, zachód %2").arg(Clock(m_sky.sunrise), Clock(m_sky.sunset)));
    MoonLabel->setText(
        QStringLiteral("Księżyc: wschód %1, zachód %2").arg(Clock(m_sky.moonrise), Clock(m_sky.moonset)));
    MajorLabel->setText(QStringLiteral("Główne okresy: ") + Periods(m_sky, true));
    MinorLabel->setText(QStringLiteral("Drugorzędne: ") + Periods(m_sky, false));
    update();
}

std::optional<MoonPhase> TSkyPanel::NewOrFullMoonOn(TDateTime day)
{
    int year = 0, month = 0, dayOfMonth = 0;
    DecodeDate(day, year, month, dayOfMonth);
    if (year * 12 + month != m_phaseMonth) {
        m_phaseMonth = year * 12 + month;
        m_principal.clear();
        const TDateTime first = EncodeDate(year, month, 1);
        const TDateTime next = first + DaysInMonth(year, month);
        for (const Astronomy::PhaseInstant &p :
             Astronomy::PrincipalPhasesBetween(UtFromPolishTime(first), UtFromPolishTime(next))) {
            if (p.phase == Astronomy::PrincipalPhase::NewMoon || p.phase == Astronomy::PrincipalPhase::FullMoon)
                m_principal[DateOf(PolishTimeFromUt(p.ut))] = MoonPhase(2 * int(p.phase));
        }
    }
    const auto found = m_principal.find(DateOf(day));
    if (found == m_principal.end())
        return std::nullopt;
    return found->second;
}

void TSkyPanel::PaintPhaseMark(QPainter *painter, const QRect &cell, MoonPhase phase)
{
    painter->save();
    painter->setRenderHint(QPainter::Antialiasing);
    painter->setPen(QPen(QColor(60, 60, 80), 1));
    painter->setBrush(phase == MoonPhase::FullMoon ? QColor(250, 226, 120) : QColor(45, 50, 70));
    painter->drawEllipse(QRectF(cell.left() + 6.5, cell.top() + 6.5, 9, 9));
    painter->restore();
}

void TSkyPanel::PlaceLabelClick()
{
    TSkyPlaceFrm dialog(m_place, this);
    if (Platform::ShowModal(&dialog) != QDialog::Accepted)
        return;
    const SkyPlace chosen = dialog.Place();
    if (!SkyPlaces::Valid(chosen.site))
        return;
    m_place = chosen;
    SkyPlaces::Save(m_place);
    if (m_shown)
        m_sky = SkyOfDay(m_sky.day, m_place.site);
    ShowSky();
}

void TSkyPanel::paintEvent(QPaintEvent *)
{
    if (!m_shown)
        return;
    // The Moon as seen from the northern hemisphere: lit from the right while it waxes.
    // The terminator is half an ellipse whose width follows the cosine of the elongation.
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const QRectF disc(2.5, 2.5, MoonSize - 1, MoonSize - 1);
    const double r = disc.width() / 2;
    painter.setPen(QPen(QColor(60, 60, 80), 1));
    painter.setBrush(QColor(45, 50, 70));
    painter.drawEllipse(disc);

    const double e = m_sky.elongation;
    const bool waxing = e < 180;
    const bool crescent = e < 90 || e > 270;
    const double a = r * std::abs(std::cos(qDegreesToRadians(e)));
    const QRectF terminator(disc.center().x() - a, disc.top(), 2 * a, disc.height());
    QPainterPath lit;
    lit.moveTo(disc.center().x(), disc.top());
    lit.arcTo(disc, 90, waxing ? -180 : 180);
    const bool throughRight = waxing == crescent;
    lit.arcTo(terminator, 270, throughRight ? 180 : -180);
    lit.closeSubpath();
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(250, 238, 180));
    painter.drawPath(lit);
    painter.setBrush(Qt::NoBrush);
    painter.setPen(QPen(QColor(60, 60, 80), 1));
    painter.drawEllipse(disc);
}
