// psydesk-cli bank build: compiles the test bank sources into a bank file.
#include "CliCommands.h"
#include "data/bank/TestBankCompiler.h"

#include <QTextStream>

int runBankCommand(const QStringList& args)
{
    QTextStream err(stderr);
    if (args.size() != 3 || args.at(0) != QLatin1String("build")) {
        err << "用法: psydesk-cli bank build SRC OUT.db\n"
               "  SRC     题库源文件夹（格式见 docs/testbank-format.md）\n"
               "  OUT.db  生成的题库文件；源文件有错时不生成\n";
        return 2;
    }
    TestBankCompiler compiler;
    if (!compiler.build(args.at(1), args.at(2))) {
        // A mistake in a shared option set repeats on every item; the first ones are enough.
        const int shown = std::min<int>(compiler.errors().size(), 50);
        for (int k = 0; k < shown; ++k)
            err << compiler.errors().at(k) << "\n";
        if (compiler.errors().size() > shown)
            err << "……另有 " << compiler.errors().size() - shown << " 处错误未列出\n";
        err << "题库未生成: " << compiler.errors().size() << " 处错误\n";
        return 1;
    }
    const TestBankCompiler::Summary& s = compiler.summary();
    QTextStream(stdout) << "已生成题库 " << args.at(2) << ": " << s.categories << " 个分类, " << s.tests
                        << " 个测试, " << s.items << " 道题, " << s.factors << " 个因子, " << s.norms
                        << " 条常模, " << s.conversions << " 条 T 分转换, " << s.averageSd << " 条年龄常模\n";
    return 0;
}
