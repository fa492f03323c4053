#include "ui/tools/help_window.h"

#include <QDialogButtonBox>
#include <QTabWidget>
#include <QTextEdit>
#include <QVBoxLayout>

#include "ui/widgets/qt_prompter.h"
#include "ui/widgets/ui_font.h"

namespace taiyi {
namespace {

constexpr char kUsage[] =
    "一、排盘\n"
    "在右边的输入栏填入年、月、日、时、分，选择公历或农历（农历闰月请勾选“农历闰月”），"
    "选择地区与城市、性别，输入姓名，选择局式（命局、年局、月局、日局、时局），然后点“排盘”。\n"
    "年份按历史纪年输入，没有公元0年，公元前121年输入 -121。\n\n"
    "二、流年\n"
    "排出命局后，可用“流年”及其下的按钮推算流年、流月、流日、流时。\n\n"
    "三、案例\n"
    "点“存新”把当前命例连同下方的评语保存为新案例；打开已存的案例后按钮显示“存旧”，"
    "再保存即修改该案例。“新建”开始一个新案例。\n"
    "左边的树表列出案例，在树表上按鼠标右键可查看、查找、移动和删除案例。\n\n"
    "四、输出\n"
    "在星盘、分析和评语上按鼠标右键，可复制、另存为或打印。\n\n"
    "五、数据\n"
    "“文件”菜单下可备份、还原、导入、导出和整理案例数据。还原、删除、整理和导入之后软件会自动关闭"
    "。";

constexpr char kHistory[] =
    "1.3\n"
    "案例库改用 SQLite 数据库，评语以 RTF 文件保存；增加条件查找、导入导出和整理数据。\n\n"
    "1.2\n"
    "增加流月、流日、流时；增加真太阳时与地方时；增加反推八字与万年历。\n\n"
    "1.1\n"
    "增加界面风格与界面字体缩放。\n\n"
    "1.0\n"
    "首个版本：命局、年局、月局、日局、时局排盘与分析。";

QTextEdit* Page(const char* text, const char* name) {
  auto* page = new QTextEdit;
  page->setObjectName(name);
  page->setReadOnly(true);
  page->setPlainText(ToQString(text));
  return page;
}

}  // namespace

TFrmTxtHelp::TFrmTxtHelp(MUiFont& uiFont, QWidget* parent) : QDialog(parent) {
  setObjectName("FrmTxtHelp");
  setWindowTitle(ToQString("软件帮助"));
  auto* pages = new QTabWidget(this);
  pages->setObjectName("PageHelp");
  pages->addTab(Page(kUsage, "MeoUsage"), ToQString("使用说明"));
  pages->addTab(Page(kHistory, "MeoHistory"), ToQString("升级改进历史"));
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close, this);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
  auto* col = new QVBoxLayout(this);
  col->addWidget(pages);
  col->addWidget(buttons);
  resize(520, 420);
  uiFont.ScaleForm(this);
}

}  // namespace taiyi
