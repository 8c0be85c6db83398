#include "cli/DemoRecords.h"

#include <array>

#include <QStringList>

namespace cli {

namespace {

// A small deterministic generator, so that demo databases are reproducible.
class Dice {
public:
    explicit Dice(std::uint32_t seed) : m_state(seed * 2654435761u + 0x9e3779b9u) {}
    std::uint32_t next() {
        m_state ^= m_state << 13;
        m_state ^= m_state >> 17;
        m_state ^= m_state << 5;
        return m_state;
    }
    int below(int bound) { return static_cast<int>(next() % static_cast<std::uint32_t>(bound)); }
    template <typename List>
    const auto& pick(const List& list) {
        return list[static_cast<std::size_t>(below(static_cast<int>(list.size())))];
    }

private:
    std::uint32_t m_state;
};

const QStringList kMakers = {QStringLiteral("山川"), QStringLiteral("青禾"),
                             QStringLiteral("北辰"), QStringLiteral("云朵"),
                             QStringLiteral("木舍"), QStringLiteral("晨光")};
const QStringList kAdjectives = {
    QStringLiteral("新款"), QStringLiteral("正品"), QStringLiteral("加厚"), QStringLiteral("韩版"),
    QStringLiteral("复古"), QStringLiteral("简约"), QStringLiteral("包邮"), QStringLiteral("特价")};
const QStringList kProducts = {QStringLiteral("纯棉T恤"),  QStringLiteral("牛仔裤"),
                               QStringLiteral("保温杯"),   QStringLiteral("双肩包"),
                               QStringLiteral("运动鞋"),   QStringLiteral("蓝牙耳机"),
                               QStringLiteral("羊毛围巾"), QStringLiteral("陶瓷茶具"),
                               QStringLiteral("手机壳"),   QStringLiteral("台灯")};
const QStringList kCategories = {QStringLiteral("50000436"), QStringLiteral("50010850"),
                                 QStringLiteral("50012906"), QStringLiteral("121434005")};
const std::array<std::pair<const char16_t*, const char16_t*>, 6> kPlaces = {{
    {u"浙江", u"杭州"},
    {u"广东", u"广州"},
    {u"江苏", u"苏州"},
    {u"上海", u"上海"},
    {u"福建", u"厦门"},
    {u"北京", u"北京"},
}};
const QStringList kColours = {QStringLiteral("黑色"), QStringLiteral("白色"),
                              QStringLiteral("藏青"), QStringLiteral("酒红"),
                              QStringLiteral("卡其")};

void setInt(store::Query& query, int field, qlonglong value) {
    query.field(field).setValue(QVariant(value));
}

void setText(store::Query& query, int field, const QString& value) {
    query.field(field).setText(value);
}

}  // namespace

void fillDemoRecord(store::Query& query, std::uint32_t number) {
    Dice dice(number);
    const QString product = dice.pick(kProducts);
    const QString name = dice.pick(kMakers) + u' ' + dice.pick(kAdjectives) +
                         dice.pick(kAdjectives) + product + u' ' + dice.pick(kColours) +
                         QStringLiteral(" 第") + QString::number(number % 997) +
                         QStringLiteral("号");
    const auto& place = dice.pick(kPlaces);
    const int price = 9 + dice.below(990);

    setText(query, 0, name);
    setText(query, 1, dice.pick(kCategories));
    setText(query, 2, QStringLiteral("0"));
    setInt(query, 3, 1);
    setText(query, 4, QString::fromUtf16(place.first));
    setText(query, 5, QString::fromUtf16(place.second));
    setText(query, 6, QStringLiteral("b"));
    setInt(query, 7, price);
    setInt(query, 8, 0);
    setInt(query, 9, 1 + dice.below(500));
    setInt(query, 10, 14);
    setInt(query, 11, 2);
    for (int field = 12; field <= 14; ++field)
        setInt(query, field, 5 + dice.below(20));
    for (int field = 15; field <= 19; ++field)
        setInt(query, field, dice.below(2));
    setText(query, 20, QStringLiteral("1"));
    setInt(query, 21, dice.below(2));
    setText(query, 22,
            QStringLiteral("2026-11-%1 10:%2:00")
                .arg(1 + dice.below(28), 2, 10, QLatin1Char('0'))
                .arg(dice.below(60), 2, 10, QLatin1Char('0')));
    setText(query, 23, QString());
    setText(query, 24,
            QStringLiteral("<p>") + name + QStringLiteral("，") + dice.pick(kColours) +
                QStringLiteral("，做工精细，") + QString::number(price) +
                QStringLiteral("元包邮。</p><p>尺码：S M L XL</p>"));
    setText(query, 25, QStringLiteral("https://img.example.cn/item/%1.jpg").arg(number));
    setText(query, 26, QStringLiteral("20000:%1;1627207:28341").arg(dice.below(9000)));
    if (dice.below(4) == 0) {
        setInt(query, 27, price * 9 / 10);
        setInt(query, 28, 2 + dice.below(8));
    }
    setText(query, 29, QString::number(1000 + dice.below(9)));
    setInt(query, 30, dice.below(2));
    setText(query, 31, QStringLiteral("2026-12-01 09:00:00"));
    setInt(query, 32, 100);
    setInt(query, 33, 1);
    setText(query, 34, QStringLiteral("0"));
    setText(query, 35, QStringLiteral("%1.jpg:1:0:|;").arg(number));
    setText(query, 37, QStringLiteral("%1:%2:%3").arg(price).arg(dice.below(100)).arg(number));
    setText(query, 40, QStringLiteral("SKU-%1").arg(number, 7, 10, QLatin1Char('0')));
    setText(query, 45, QStringLiteral("https://shop.example.cn/item/%1").arg(100000 + number));
}

}  // namespace cli
