// server-gendata: creates (or reuses) a SQLite database of the application server and
// fills it with N generated branches and M generated suppliers.

#include "datagenerator.h"
#include "servererror.h"
#include "serverdatabase.h"

#include <QCoreApplication>
#include <QTextStream>

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    QTextStream out(stdout);
    QTextStream err(stderr);
    const QStringList args = app.arguments();
    bool branchesOk = false;
    bool suppliersOk = false;
    const int branches = args.value(2).toInt(&branchesOk);
    const int suppliers = args.value(3).toInt(&suppliersOk);
    if (args.size() != 4 || !branchesOk || !suppliersOk) {
        err << "Uso: server-gendata <arquivo.db> <filiais> <fornecedores>\n"
               "Cria o banco (esquema e dados de exemplo) quando vazio e substitui filiais,\n"
               "fornecedores, regiões atendidas e cadastros por dados gerados.\n";
        return 2;
    }
    const QString connection = QStringLiteral("gendata");
    try {
        const QSqlDatabase db = appserver::ServerDatabase::openSqlite(args.at(1), connection);
        // The generated branches lie in the sample data's regions and municipalities.
        appserver::ServerDatabase::loadSampleData(db);
        appserver::DataGenerator::populate(db, branches, suppliers);
    } catch (const appserver::ServerError &error) {
        err << error.message() << '\n';
        appserver::ServerDatabase::close(connection);
        return 1;
    }
    appserver::ServerDatabase::close(connection);
    out << "Gerados " << branches << " filiais e " << suppliers << " fornecedores em " << args.at(1) << ".\n";
    return 0;
}
