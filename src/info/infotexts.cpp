#include "info/infotexts.h"

#include "common/installpaths.h"
#include "common/prompter.h"
#include "info/infocontrols.h"

#include <QStringList>

namespace {

QString root() { return InstallPaths::displayRoot(); }

QString joinLines(const QStringList& lines) { return lines.join(u'\n') + u'\n'; }

// Where the program's page is installed, as the user reads it.
QString pageLocation() { return root() + QStringLiteral("mb/zeb.html"); }

} // namespace

QString programVersion() { return QStringLiteral("1.0.0"); }

// The line breaks are part of the text: they fall where the window's field was laid out for them.
QString statementText() {
    return joinLines({
        QStringLiteral("本软件是依据中华人民共和国行业标准《普通混凝土配合比设计规程》JGJ "),
        QStringLiteral("55-2000，J 64-2000进行设计的。本软件适用于工业与民用建筑及一般构筑"),
        QStringLiteral("物所采用的普通混凝土的配合比设计。本软件得到的计算结果为混凝土\"初步"),
        QStringLiteral("配合比\"，而\"工地配合比\"仍需要提出\"基准配合比\"，确定\"试验配合比\"，依"),
        QStringLiteral("据原材料性能及对混凝土的技术要求，经试验室试配、调整后确定。"),
        QStringLiteral("在使用本软件前，请您注意以下重要问题："),
        QStringLiteral("1、本软件自动计算只适用于采用碎石为原料的，且未掺配任何外加剂，坍落"),
        QStringLiteral("度在10-60mm的塑性混凝土。"),
        QStringLiteral("2、关于混凝土强度标准差自动取值如下："),
        QStringLiteral("当强度等级低于C20，标准差取值为4.0"),
        QStringLiteral("当强度等级C20-C35，标准差取值为5.0"),
        QStringLiteral("当强度等级高于C35，标准差取值为6.0"),
        QStringLiteral("3、本软件自动计算在选择砂率时通过内插法计算出砂率的值。"),
        QStringLiteral("4、本软件计算初步配合比确定粗骨料、细骨料的用量是采用重量法计算得到"),
        QStringLiteral("的。"),
        QStringLiteral("5、在进行配合比设计时，应遵守《普通混凝土配合比设计规程》，还应符合"),
        QStringLiteral("国家现行有关强制性标准的规定。"),
        QStringLiteral("6、本软件不对配合比计算结果的工程经济性负责。"),
        QStringLiteral("7、在本软件设计时作者对数据的计算方法进行了一些数值分析的优化，但自"),
        QStringLiteral("动计算和半自动计算将有可能产生细微误差（由小数点后第三位产生）。"),
        QStringLiteral("8、在您使用本软件进行配合比设计时，您需要有相关的专业知识和经验。在"),
        QStringLiteral("得到\"初步配合比\"后，您应对计算结果进行复核，而\"工地配合比\"仍需要提"),
        QStringLiteral("出\"基准配合比\"，确定\"试验配合比\"两步完成，经试验室试配、调整后确定"),
        QStringLiteral("。软件作者不对盲目使用本软件产生的不良后果负责。"),
    });
}

QString usageHelpText() {
    return joinLines({
        QStringLiteral("软件使用帮助"),
        QStringLiteral(""),
        QStringLiteral("软件运行条件：Linux操作系统，并且必须安装LibreOffice Calc办公软"),
        QStringLiteral("件（请注意必须安装）。"),
        QStringLiteral(""),
        QStringLiteral("软件通常会安装在") + root() + QStringLiteral("目录下（请不要更改文件目录），在") +
            root() + QStringLiteral("mb文件夹下phm文件为"),
        QStringLiteral(
            "EXCEL模板文件。您可以更改试验室单位等内容，甚至在试验单位下的空行增加自己要求的内容进"),
        QStringLiteral(
            "行二次编辑，可以调整行列宽度、字符大小等内容，但不要编辑数据区域的内容、进行插入行、"),
        QStringLiteral(
            "删除行等操作以及更改文件名。建议您在编辑模板之前对模板进行备份，以便进行模板恢复。以"),
        QStringLiteral(
            "后每次数据文件的建立，都是建立在此模板基础上的。最后提醒您：更改模板要更改混凝土配合"),
        QStringLiteral("比计算书中通常不变的内容。"),
        QStringLiteral(""),
        QStringLiteral(
            "１、使用方法为按照混凝土的设计要求把设计参数输入后，参数输入详情请参阅《普通混凝土配"),
        QStringLiteral(
            "合比设计规程》JGJ55-2000 J64-2000，点击自动计算按钮。本软件会自动进行最大水灰比、最小"),
        QStringLiteral(
            "水泥用量验证并把结果自动计算出来。本软件的砂率自动计算取值方法为用水灰比进行内插法取"),
        QStringLiteral("值。"),
        QStringLiteral(""),
        QStringLiteral(
            "２、您还可以根据您的经验依据实际情况，输入合适的用水量和砂率，分步进行计算。如果计算"),
        QStringLiteral(
            "水灰比超过规定水灰比，会进行水灰比验证，在确定砂率和完成计算时，请确保与确定用水量时"),
        QStringLiteral("输入的水灰比保持一致。 "),
        QStringLiteral(""),
        QStringLiteral("３、本软件的计算结果您可以导入到LibreOffice Calc 办公软件中，修改施工单位、工程名称"),
        QStringLiteral("等内容进行保存。还可以在文本框日期前输入文件名直接另存为EXCEL文件。文件保存在") +
            root(),
        QStringLiteral(
            "目录下。文件名通常为XXX＋（文件设计的日期）。您可以把《混凝土配合比计算书》打印出来附"),
        QStringLiteral("在《混凝土配合比设计报告》中。"),
        QStringLiteral(""),
        QStringLiteral(
            "４、如果您工作的地区大规模使用某部门规范的《配合比计算书》或在混凝土配合比设计报告中"),
        QStringLiteral("有特定的要求，请与作者联系专门开发适宜。"),
        QStringLiteral(""),
        QStringLiteral("５、使用前请认真阅读本软件的《软件安装协议》和《重要声明》！"),
        QStringLiteral(""),
        QStringLiteral("６、联系方式"),
        QStringLiteral("本软件没有设立客服电话、客服邮箱和QQ号码。"),
        QStringLiteral("遇到问题时，请记下操作步骤、输入的参数和出现的提示，交给为您安装本软件的人员。"),
        QStringLiteral("本软件的说明页安装在") + pageLocation() +
            QStringLiteral("，在“客服信息”窗口中可以打开。"),
        QStringLiteral("软件版本：") + programVersion(),
    });
}

QString agreementText() {
    return joinLines({
        QStringLiteral("软件安装协议"),
        QString(),
        QStringLiteral(
            "请在安装和使用本软件前仔细阅读本协议。安装、复制或使用本软件，即表示您同意本协议的全部条款；"
            "如果您不同意，请不要安装或使用本软件，并删除已安装的文件。"),
        QString(),
        QStringLiteral("一、软件说明"),
        QStringLiteral("本软件“") + kAppTitle + QStringLiteral("”（版本") + programVersion() +
            QStringLiteral(
                "）依据《普通混凝土配合比设计规程》JGJ 55-2000（J 64-2000），计算以碎石为粗骨料、"
                "不掺外加剂的普通混凝土的初步配合比，并协助完成试验室的配合比调整。计算书和调整记录以电子表格"
                "文件的形式保存在") +
            root() + QStringLiteral("目录下，报表模板在") + root() +
            QStringLiteral("mb目录下。本软件借助LibreOffice Calc生成和读取电子表格。"),
        QString(),
        QStringLiteral("二、使用许可"),
        QStringLiteral(
            "1、您可以在任意数量的计算机上安装和使用本软件，用于混凝土配合比的设计、调整、教学和研究。"),
        QStringLiteral("2、复制或转发本软件时，请完整保留本协议、《重要声明》和使用帮助。"),
        QStringLiteral(
            "3、您可以按使用帮助的说明修改报表模板中通常不变的内容；修改模板的数据区域会使计算结果写错位置，"
            "由此产生的后果由修改者负责。"),
        QStringLiteral("4、LibreOffice等本软件所依赖的其他软件，按其各自的许可协议使用。"),
        QString(),
        QStringLiteral("三、免责声明"),
        QStringLiteral(
            "1、本软件按“现状”提供，不附带任何明示或暗示的担保，包括对计算结果无误、适合特定用途的担保。"),
        QStringLiteral(
            "2、本软件的计算结果为混凝土“初步配合比”，只是配合比设计的依据，不能直接用于施工。使用者应具备"
            "相关的专业知识和经验，对每一个配合比的计算结果进行复核，并经试验室试配、调整后确定试验配合比和"
            "工地配合比。每一个配合比的正确性由使用本软件的工程技术人员负责。"),
        QStringLiteral(
            "3、对于因使用或不能使用本软件而产生的任何直接或间接损失，包括工程质量问题、经济损失和数据丢失，"
            "软件作者不承担责任。"),
        QStringLiteral(
            "4、本软件不保存任何设置，也不收集或发送任何数据；它只写入您要求保存或导入的电子表格文件。"
            "请自行备份这些文件和修改过的模板。"),
        QString(),
        QStringLiteral("四、其他"),
        QStringLiteral("本协议的条款与国家法律法规相抵触的，以法律法规为准。"),
    });
}

QList<ServiceLabel> serviceLabels() {
    return {
        {Form7::title, kAppTitle + QStringLiteral("  版本 ") + programVersion()},
        {Form7::edition, QStringLiteral("Mix Proportion Design of Ordinary Concrete (JGJ 55-2000)")},
        {Form7::greeting, QStringLiteral("尊敬的客户您好！")},
        {Form7::message,
         QStringLiteral(
             "    感谢您使用本软件！本软件按照《普通混凝土配合比设计规程》JGJ 55-2000计算普通混凝土的初步"
             "配合比，协助完成试验室的配合比调整，并把计算书和调整记录保存为电子表格文件。计算结果只是设计的"
             "依据，请您复核，并经试验室试配、调整后确定配合比。")},
        {Form7::thanks,
         QStringLiteral("    希望各界朋友提出各种宝贵的建议，同时期待一个合作共同发展的机会！！")},
        {Form7::phone, QStringLiteral("客户服务电话：本软件没有设立客服电话")},
        {Form7::mail, QStringLiteral("客户服务邮箱：本软件没有设立客服邮箱")},
        {Form7::qq, QStringLiteral("客户服务QQ:本软件没有设立QQ号码")},
        {Form7::link,
         QStringLiteral("作者服务网页：") + pageLocation() + QStringLiteral("（本软件的说明页）")},
    };
}
