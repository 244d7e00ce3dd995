#include "schema/demo/demo_words.h"

namespace cr::demo {
namespace {

QStringList split(const char* text)
{
    return QString::fromUtf8(text).split(QLatin1Char(' '), Qt::SkipEmptyParts);
}

} // namespace

const QStringList& DemoWords::commonSurnames()
{
    static const QStringList list = split(
        "王 李 张 刘 陈 杨 黄 赵 吴 周 徐 孙 马 朱 胡 郭 何 高 林 罗");
    return list;
}

const QStringList& DemoWords::otherSurnames()
{
    static const QStringList list = split(
        "郑 梁 谢 宋 唐 许 韩 冯 邓 曹 彭 曾 肖 田 董 袁 潘 于 蒋 蔡 余 杜 叶 程 苏 魏 吕 丁 任 沈 "
        "姚 卢 姜 崔 钟 谭 陆 汪 范 金 石 廖 贾 夏 韦 付 方 白 邹 孟 熊 秦 邱 江 尹 薛 闫 段 雷 侯 "
        "龙 史 陶 黎 贺 顾 毛 郝 龚 邵 万 钱 严 武 戴 孔 汤 欧阳 司马 诸葛 上官");
    return list;
}

const QStringList& DemoWords::maleGivenCharacters()
{
    static const QStringList list = split(
        "伟 刚 勇 毅 俊 峰 强 军 平 保 东 文 辉 力 明 永 健 世 广 志 义 兴 良 海 山 仁 波 宁 贵 福 "
        "生 龙 元 全 国 胜 学 祥 才 发 武 新 利 清 飞 彬 富 顺 信 子 杰 涛 昌 成 康 星 光 天 达 安 "
        "岩 中 茂 进 林 有 坚 和 彪 博 诚 先 敬 震 振 壮 会 思 群 豪 心 邦 承 乐 绍 功 松 善 厚 庆 "
        "磊 民 友 裕 河 哲 江 超 浩 亮 政 谦 亨 奇 固 之 轮 翰 朗 伯 宏 言 若 鸣 朋 斌 梁 栋 维 启");
    return list;
}

const QStringList& DemoWords::femaleGivenCharacters()
{
    static const QStringList list = split(
        "秀 娟 英 华 慧 巧 美 娜 静 淑 惠 珠 翠 雅 芝 玉 萍 红 娥 玲 芬 芳 燕 彩 春 菊 兰 凤 洁 梅 "
        "琳 素 云 莲 真 环 雪 荣 爱 妹 霞 香 月 莺 媛 艳 瑞 凡 佳 嘉 琼 勤 珍 贞 莉 桂 娣 叶 璧 璐 "
        "娅 琦 晶 妍 茜 秋 珊 莎 锦 黛 青 倩 婷 姣 婉 娴 瑾 颖 露 瑶 怡 婵 雁 蓓 纨 仪 荷 丹 蓉 眉 "
        "君 琴 蕊 薇 菁 梦 岚 苑 婕 馨 瑗 琰 韵 融 园 艺 咏 卿 聪 澜 纯 毓 悦 昭 冰 爽 琬 茗 羽 希");
    return list;
}

const QStringList& DemoWords::roads()
{
    static const QStringList list = split(
        "和平路 建国路 光华路 朝阳路 安华路 团结路 幸福路 胜利路 解放路 人民路 文化路 新华路 民主路 "
        "建设路 工人路 育才路 青年路 北苑路 南湖路 东风路 红星路 长青路 金台路 兴华路 永安路 友谊路 "
        "春晖路 安定路 花园路 劲松路 左家庄街 十里堡街 呼家楼街 团结湖街 六里屯街 八里庄街 三里屯路 "
        "农展馆路 麦子店街 亮马桥路 酒仙桥路 将台路 东坝路 高井路 双桥路 管庄路 定福庄街 延静里街 "
        "小关街 安贞路 惠新东街 和平街 樱花园街 柳芳街 西坝河路 太阳宫路 芍药居街 望京街 花家地街");
    return list;
}

const QStringList& DemoWords::estatePrefixes()
{
    static const QStringList list = split(
        "和平 幸福 阳光 金台 光华 建国 朝阳 团结 安华 长青 丽景 华威 劲松 双井 富力 远洋 "
        "金隅 首开 华侨 新源 静安 芳园 润泽 嘉园 北辰 世纪 东湖 碧水 翠微 百子湾 "
        "惠新 安贞 柳芳 望京 花家地 南湖 利泽 大西洋 万科 星河");
    return list;
}

const QStringList& DemoWords::estateSuffixes()
{
    static const QStringList list = split("小区 家园 里 苑 花园 新村 公寓 西里");
    return list;
}

const QStringList& DemoWords::publicOwners()
{
    static const QStringList list = split(
        "北京市朝阳区房屋管理局 朝阳区住房保障中心 北京铁路局 首都钢铁公司 北京市第二建筑公司 "
        "朝阳区教育委员会 北京纺织集团 北京化工厂 中国建筑第一工程局 北京市电车公司");
    return list;
}

const BirthPlace& DemoWords::localPlace()
{
    static const BirthPlace place{QStringLiteral("110105"), QStringLiteral("北京市朝阳区")};
    return place;
}

const QList<BirthPlace>& DemoWords::otherPlaces()
{
    static const QList<BirthPlace> list{
        {QStringLiteral("110101"), QStringLiteral("北京市东城区")},
        {QStringLiteral("110108"), QStringLiteral("北京市海淀区")},
        {QStringLiteral("120101"), QStringLiteral("天津市和平区")},
        {QStringLiteral("130102"), QStringLiteral("河北省石家庄市长安区")},
        {QStringLiteral("130203"), QStringLiteral("河北省唐山市路北区")},
        {QStringLiteral("140105"), QStringLiteral("山西省太原市小店区")},
        {QStringLiteral("210102"), QStringLiteral("辽宁省沈阳市和平区")},
        {QStringLiteral("230102"), QStringLiteral("黑龙江省哈尔滨市道里区")},
        {QStringLiteral("320102"), QStringLiteral("江苏省南京市玄武区")},
        {QStringLiteral("340102"), QStringLiteral("安徽省合肥市瑶海区")},
        {QStringLiteral("370102"), QStringLiteral("山东省济南市历下区")},
        {QStringLiteral("410102"), QStringLiteral("河南省郑州市中原区")},
        {QStringLiteral("420102"), QStringLiteral("湖北省武汉市江岸区")},
        {QStringLiteral("430102"), QStringLiteral("湖南省长沙市芙蓉区")},
        {QStringLiteral("510104"), QStringLiteral("四川省成都市锦江区")},
        {QStringLiteral("610102"), QStringLiteral("陕西省西安市新城区")},
    };
    return list;
}

QString DemoWords::chineseNumber(int n)
{
    static const QString digits = QStringLiteral("零一二三四五六七八九");
    if (n <= 0 || n > 999) return QString::number(n);
    QString s;
    const int hundreds = n / 100, tens = n / 10 % 10, ones = n % 10;
    if (hundreds) s += digits[hundreds] + QStringLiteral("百");
    if (tens) {
        if (tens > 1 || hundreds) s += digits[tens];
        s += QStringLiteral("十");
    } else if (hundreds && ones) {
        s += digits[0];
    }
    if (ones) s += digits[ones];
    return s;
}

} // namespace cr::demo
