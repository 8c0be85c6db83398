#include "grid/columns/ItemGridColumns.h"

#include "grid/columns/TDBGridColumns.h"

namespace grid {

namespace {

struct ColumnSetting {
    const char16_t* fieldName;
    int width;
    bool readOnly;
    bool titleButton;
    // Filter list: data field, key field, list field; null when the column has none.
    const char16_t* filterDataField = nullptr;
    const char16_t* filterKeyField = nullptr;
    const char16_t* filterListField = nullptr;
    TFooterValueType footer = fvtNon;
};

// clang-format off
const ColumnSetting kItemColumns[] = {
    {u"ID",             55,  false, true,  u"id", u"id", u"id", fvtCount},
    {u"宝贝链接",        164, false, false, u"ID", u"ID", u"宝贝链接"},
    {u"宝贝名称",        550, true,  true,  u"宝贝名称", u"宝贝名称", u"宝贝名称"},
    {u"宝贝类目",        60,  true,  true},
    {u"店铺类目",        59,  true,  true},
    {u"新旧程度",        59,  true,  true},
    {u"省",             32,  true,  true},
    {u"城市",           54,  true,  true},
    {u"出售方式",        80,  true,  true},
    {u"宝贝价格",        80,  true,  true,  u"宝贝价格", u"宝贝价格", u"宝贝价格"},
    {u"加价幅度",        80,  true,  true},
    {u"宝贝数量",        80,  true,  true},
    {u"有效期",          80,  true,  true},
    {u"运费承担",        80,  true,  true},
    {u"平邮",           80,  true,  true},
    {u"EMS",            80,  true,  true},
    {u"快递",           80,  true,  true},
    {u"付款方式",        80,  true,  true},
    {u"支付宝",          80,  true,  true},
    {u"发票",           80,  true,  true},
    {u"保修",           80,  true,  true},
    {u"自动重发",        80,  true,  true},
    {u"放入仓库",        80,  true,  true},
    {u"橱窗推荐",        80,  true,  true},
    {u"发布时间",        80,  true,  true},
    {u"心情故事",        80,  true,  true},
    {u"宝贝描述",        80,  true,  true},
    {u"宝贝图片",        80,  true,  true},
    {u"宝贝属性",        80,  true,  true},
    {u"团购价",          80,  true,  true},
    {u"最小团购件数",     80,  true,  true},
    {u"邮费模版ID",      80,  true,  true},
    {u"会员打折",        80,  true,  true},
    {u"修改时间",        80,  true,  true},
    {u"上传状态",        80,  true,  true},
    {u"图片状态",        80,  true,  true},
    {u"返点比例",        80,  true,  true},
    {u"新图片",          80,  true,  true},
    {u"视频",           80,  false, false},
    {u"销售属性组合",     80,  true,  true},
    {u"用户输入ID串",     80,  true,  true},
    {u"用户输入名值对",   80,  true,  true},
    {u"商家编码",        80,  true,  true},
    {u"销售属性别名",     80,  true,  false},
    {u"代充类型",        80,  false, false},
    {u"宝贝编号",        80,  false, false},
    {u"数据ID",         114, false, false},
};
// clang-format on

}  // namespace

void addItemColumns(TDBGridColumns& columns, store::DataSource* listSource) {
    for (const ColumnSetting& setting : kItemColumns) {
        TDBGridColumn& column = columns.add();
        column.setFieldName(QString::fromUtf16(setting.fieldName));
        column.setWidth(setting.width);
        column.setReadOnly(setting.readOnly);
        column.title().setAlignment(taCenter);
        column.title().setTitleButton(setting.titleButton);
        column.footer().setValueType(setting.footer);
        if (setting.filterDataField) {
            TSTColumnFilter& filter = column.stFilter();
            filter.setDataField(QString::fromUtf16(setting.filterDataField));
            filter.setKeyField(QString::fromUtf16(setting.filterKeyField));
            filter.setListField(QString::fromUtf16(setting.filterListField));
            filter.setListSource(listSource);
        }
    }
}

}  // namespace grid
