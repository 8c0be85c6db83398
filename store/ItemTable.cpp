#include "store/ItemTable.h"

namespace store {

const std::vector<FieldDef>& itemFields() {
    using K = FieldKind;
    static const std::vector<FieldDef> fields = {
        {QStringLiteral("宝贝名称"), K::WideString, 150},
        {QStringLiteral("宝贝类目"), K::WideString, 50},
        {QStringLiteral("店铺类目"), K::WideString, 50},
        {QStringLiteral("新旧程度"), K::Integer, 0},
        {QStringLiteral("省"), K::WideString, 20},
        {QStringLiteral("城市"), K::WideString, 20},
        {QStringLiteral("出售方式"), K::WideString, 10},
        {QStringLiteral("宝贝价格"), K::Integer, 0},
        {QStringLiteral("加价幅度"), K::Integer, 0},
        {QStringLiteral("宝贝数量"), K::Integer, 0},
        {QStringLiteral("有效期"), K::Integer, 0},
        {QStringLiteral("运费承担"), K::Integer, 0},
        {QStringLiteral("平邮"), K::Integer, 0},
        {QStringLiteral("EMS"), K::Integer, 0},
        {QStringLiteral("快递"), K::Integer, 0},
        {QStringLiteral("付款方式"), K::Integer, 0},
        {QStringLiteral("支付宝"), K::Integer, 0},
        {QStringLiteral("发票"), K::Integer, 0},
        {QStringLiteral("保修"), K::Integer, 0},
        {QStringLiteral("自动重发"), K::Integer, 0},
        {QStringLiteral("放入仓库"), K::WideString, 20},
        {QStringLiteral("橱窗推荐"), K::Integer, 0},
        {QStringLiteral("发布时间"), K::WideString, 40},
        {QStringLiteral("心情故事"), K::WideString, 10},
        {QStringLiteral("宝贝描述"), K::Memo, 0},
        {QStringLiteral("宝贝图片"), K::WideString, 200},
        {QStringLiteral("宝贝属性"), K::Memo, 0},
        {QStringLiteral("团购价"), K::Integer, 0},
        {QStringLiteral("最小团购件数"), K::Integer, 0},
        {QStringLiteral("邮费模版ID"), K::WideString, 20},
        {QStringLiteral("会员打折"), K::Integer, 0},
        {QStringLiteral("修改时间"), K::WideString, 40},
        {QStringLiteral("上传状态"), K::Integer, 0},
        {QStringLiteral("图片状态"), K::Integer, 0},
        {QStringLiteral("返点比例"), K::WideString, 10},
        {QStringLiteral("新图片"), K::Memo, 0},
        {QStringLiteral("视频"), K::WideString, 200},
        {QStringLiteral("销售属性组合"), K::WideString, 200},
        {QStringLiteral("用户输入ID串"), K::WideString, 200},
        {QStringLiteral("用户输入名值对"), K::WideString, 200},
        {QStringLiteral("商家编码"), K::WideString, 200},
        {QStringLiteral("销售属性别名"), K::WideString, 200},
        {QStringLiteral("代充类型"), K::WideString, 200},
        {QStringLiteral("宝贝编号"), K::WideString, 200},
        {QStringLiteral("数据ID"), K::WideString, 50},
        {QStringLiteral("宝贝链接"), K::WideString, 200},
        {QStringLiteral("ID"), K::AutoInc, 0},
    };
    return fields;
}

QString itemTableName() {
    return QStringLiteral("BabyData");
}

QString itemQuerySql() {
    return QStringLiteral("Select * from BabyData");
}

QString createItemTableSql() {
    QString sql = QStringLiteral("CREATE TABLE BabyData (");
    for (const FieldDef& field : itemFields()) {
        sql += field.name;
        switch (field.kind) {
            case FieldKind::WideString:
                sql +=
                    QStringLiteral(" TEXT(") + QString::number(field.size) + QStringLiteral("), ");
                break;
            case FieldKind::Memo:
                sql += QStringLiteral(" TEXT, ");  // "Memo" would give numeric affinity
                break;
            case FieldKind::AutoInc:
                sql += QStringLiteral(" INTEGER PRIMARY KEY AUTOINCREMENT");
                break;
            default:
                sql += QStringLiteral(" INTEGER, ");
        }
    }
    return sql + u')';
}

}  // namespace store
