<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en">
<context>
    <name>appserver</name>
    <message>
        <source>Argumento inválido: %1 deve ser um texto.</source>
        <translation>Invalid argument: %1 must be a text.</translation>
    </message>
    <message>
        <source>Número de argumentos inválido: esperados %1, recebidos %2.</source>
        <translation>Invalid number of arguments: %1 expected, %2 received.</translation>
    </message>
    <message>
        <source>a seleção de %1</source>
        <translation>the selection of %1</translation>
    </message>
    <message>
        <source>Argumento inválido: %1 deve ser &quot;T&quot; ou vazio, recebido %2.</source>
        <translation>Invalid argument: %1 must be &quot;T&quot; or empty, received %2.</translation>
    </message>
    <message>
        <source>o código da periodicidade</source>
        <translation>the frequency code</translation>
    </message>
    <message>
        <source>Código de periodicidade inválido: %1 (até 2 letras ou dígitos).</source>
        <translation>Invalid frequency code: %1 (up to 2 letters or digits).</translation>
    </message>
    <message>
        <source>Prazo para expedição inválido: informe um número inteiro de 0 a 999.</source>
        <translation>Invalid dispatch lead time: enter a whole number from 0 to 999.</translation>
    </message>
    <message>
        <source>Número da execução não informado: informe qual execução do cadastramento automático desfazer.</source>
        <translation>Run number missing: specify which automatic registration run to undo.</translation>
    </message>
    <message>
        <source>Número da execução inválido: informe um número inteiro de 1 a %1.</source>
        <translation>Invalid run number: enter a whole number from 1 to %1.</translation>
    </message>
    <message>
        <source>o indicador de todos os fornecedores</source>
        <translation>the all-suppliers flag</translation>
    </message>
    <message>
        <source>o indicador de todas as filiais</source>
        <translation>the all-branches flag</translation>
    </message>
    <message>
        <source>Parâmetros gerais não cadastrados.</source>
        <translation>General parameters are not registered.</translation>
    </message>
    <message>
        <source>Periodicidade não cadastrada.</source>
        <translation>Frequency not registered.</translation>
    </message>
    <message>
        <source>Nenhum par de fornecedor e filial no escopo informado; nada foi cadastrado.</source>
        <translation>No supplier and branch pair in the given scope; nothing was registered.</translation>
    </message>
    <message>
        <source>Operação bloqueada. Existem filiais cuja região não é atendida pelos fornecedores escolhidos</source>
        <translation>Operation blocked. There are branches whose region is not served by the chosen suppliers</translation>
    </message>
    <message>
        <source>O banco de dados do servidor de aplicação não está acessível; nada foi alterado. %1</source>
        <translation>The application server&apos;s database is not reachable; nothing was changed. %1</translation>
    </message>
    <message>
        <source>O corpo do login deve ser um mapa CBOR com &quot;user&quot; e &quot;password&quot; em texto.</source>
        <translation>The login body must be a CBOR map with &quot;user&quot; and &quot;password&quot; as text.</translation>
    </message>
    <message>
        <source>Usuário ou senha inválidos.</source>
        <translation>Invalid user name or password.</translation>
    </message>
    <message>
        <source>Sessão inválida ou expirada; entre novamente.</source>
        <translation>Invalid or expired session; log in again.</translation>
    </message>
    <message>
        <source>O corpo da chamada deve ser um mapa CBOR com a lista de argumentos em &quot;args&quot;.</source>
        <translation>The call body must be a CBOR map with the list of arguments in &quot;args&quot;.</translation>
    </message>
    <message>
        <source>Método desconhecido no servidor de aplicação: &quot;%1&quot;.</source>
        <translation>Unknown method on the application server: &quot;%1&quot;.</translation>
    </message>
    <message>
        <source>Número de argumentos inválido para o método %1: esperados %2, recebidos %3.</source>
        <translation>Invalid number of arguments for method %1: %2 expected, %3 received.</translation>
    </message>
    <message>
        <source>O banco de dados do servidor de aplicação não está aberto.</source>
        <translation>The application server&apos;s database is not open.</translation>
    </message>
    <message>
        <source>Erro interno do servidor de aplicação: %1</source>
        <translation>Internal error of the application server: %1</translation>
    </message>
    <message>
        <source>Erro interno do servidor de aplicação.</source>
        <translation>Internal error of the application server.</translation>
    </message>
    <message>
        <source>1 par</source>
        <translation>1 pair</translation>
    </message>
    <message>
        <source>%1 pares</source>
        <translation>%1 pairs</translation>
    </message>
    <message>
        <source>1 par foi %1</source>
        <translation>1 pair was %1</translation>
    </message>
    <message>
        <source>%1 pares foram %2</source>
        <translation>%1 pairs were %2</translation>
    </message>
    <message>
        <source>pela execução %1</source>
        <translation>by run %1</translation>
    </message>
    <message>
        <source>mais %1 (%2)</source>
        <translation>%1 more (%2)</translation>
    </message>
    <message>
        <source>1 execução</source>
        <translation>1 run</translation>
    </message>
    <message>
        <source>%1 execuções</source>
        <translation>%1 runs</translation>
    </message>
    <message>
        <source>pelas execuções %1 e %2</source>
        <translation>by runs %1 and %2</translation>
    </message>
    <message>
        <source>%1 depois %2</source>
        <translation>%1 later %2</translation>
    </message>
    <message>
        <source>alterado</source>
        <translation>changed</translation>
    </message>
    <message>
        <source>alterados</source>
        <translation>changed</translation>
    </message>
    <message>
        <source>%1 fora do cadastramento automático</source>
        <translation>%1 outside the automatic registration</translation>
    </message>
    <message>
        <source>alterado ou excluído</source>
        <translation>changed or deleted</translation>
    </message>
    <message>
        <source>alterados ou excluídos</source>
        <translation>changed or deleted</translation>
    </message>
    <message>
        <source>Não é possível desfazer a execução %1: %2.</source>
        <translation>Run %1 cannot be undone: %2.</translation>
    </message>
    <message>
        <source>dd/MM/yyyy HH:mm:ss</source>
        <extracomment>Date and time format of QDateTime::toString.</extracomment>
        <translation>yyyy-MM-dd HH:mm:ss</translation>
    </message>
    <message>
        <source>O histórico da execução %1 não confere com os pares cadastrados (%2 substituídos e %3 novos registrados; %4 e %5 encontrados); nada foi desfeito.</source>
        <translation>The history of run %1 does not match the registered pairs (%2 replaced and %3 new recorded; %4 and %5 found); nothing was undone.</translation>
    </message>
    <message>
        <source>Execução %1 não encontrada: nenhum cadastramento automático tem esse número.</source>
        <translation>Run %1 not found: no automatic registration has that number.</translation>
    </message>
    <message>
        <source>A execução %1 já foi desfeita em %2 por %3.</source>
        <translation>Run %1 was already undone on %2 by %3.</translation>
    </message>
    <message>
        <source>A execução %1 não pode ser desfeita: foi registrada antes do histórico das alterações (sem histórico).</source>
        <translation>Run %1 cannot be undone: it was recorded before the change history existed (no history).</translation>
    </message>
    <message>
        <source>Região não cadastrada: &quot;%1&quot;.</source>
        <translation>Region not registered: &quot;%1&quot;.</translation>
    </message>
    <message>
        <source>Fornecedor não cadastrado: &quot;%1&quot;.</source>
        <translation>Supplier not registered: &quot;%1&quot;.</translation>
    </message>
    <message>
        <source>Filial não cadastrada: &quot;%1&quot;.</source>
        <translation>Branch not registered: &quot;%1&quot;.</translation>
    </message>
    <message>
        <source>Arquivo de esquema não encontrado: %1</source>
        <translation>Schema file not found: %1</translation>
    </message>
    <message>
        <source>Erro ao configurar o banco de dados (%1): %2</source>
        <translation>Error configuring the database (%1): %2</translation>
    </message>
    <message>
        <source>Não foi possível abrir o banco de dados %1: %2</source>
        <translation>Could not open the database %1: %2</translation>
    </message>
    <message>
        <source>Driver de banco de dados %1 não disponível.</source>
        <translation>Database driver %1 not available.</translation>
    </message>
    <message>
        <source>&quot;%1&quot; não é um arquivo de banco de dados.</source>
        <translation>&quot;%1&quot; is not a database file.</translation>
    </message>
    <message>
        <source>O banco de dados &quot;%1&quot; é somente leitura.</source>
        <translation>The database &quot;%1&quot; is read-only.</translation>
    </message>
    <message>
        <source>Não foi possível ler o banco de dados &quot;%1&quot;: %2</source>
        <translation>Could not read the database &quot;%1&quot;: %2</translation>
    </message>
    <message>
        <source>O arquivo &quot;%1&quot; não é um banco de dados SQLite.</source>
        <translation>The file &quot;%1&quot; is not a SQLite database.</translation>
    </message>
    <message>
        <source>O banco de dados &quot;%1&quot; está truncado ou corrompido.</source>
        <translation>The database &quot;%1&quot; is truncated or corrupt.</translation>
    </message>
    <message>
        <source>O banco de dados &quot;%1&quot; está corrompido ou não pode ser lido (detalhe: %2)</source>
        <translation>The database &quot;%1&quot; is corrupt or cannot be read (detail: %2)</translation>
    </message>
    <message>
        <source>O banco de dados já contém tabelas, mas não tem o controle de versão do servidor (SCHEMAVERSAO); ele não foi criado por este servidor.</source>
        <translation>The database already has tables but not the server&apos;s version control (SCHEMAVERSAO); it was not created by this server.</translation>
    </message>
    <message>
        <source>&quot;%1&quot; em %2</source>
        <translation>&quot;%1&quot; on %2</translation>
    </message>
    <message>
        <source>A conexão com o banco de dados caiu durante a operação (o banco de dados foi reiniciado ou encerrou a sessão); a operação não foi concluída e nada foi alterado. Tente novamente.</source>
        <translation>The connection to the database dropped during the operation (the database was restarted or ended the session); the operation did not complete and nothing was changed. Try again.</translation>
    </message>
    <message>
        <source>Outro cadastramento está em andamento no banco de dados e a operação não terminou dentro do tempo limite; nada foi alterado. Tente novamente em instantes.</source>
        <translation>Another registration is in progress in the database and the operation did not finish within the time limit; nothing was changed. Try again in a moment.</translation>
    </message>
    <message>
        <source>O banco de dados não concluiu a operação dentro do tempo limite da requisição (outra operação pode estar em andamento); nada foi alterado. Tente novamente.</source>
        <translation>The database did not complete the operation within the request&apos;s time limit (another operation may be in progress); nothing was changed. Try again.</translation>
    </message>
    <message>
        <source>O banco de dados do servidor ficou sem espaço (disco ou banco de dados cheio) durante a operação; nada foi alterado. Libere espaço no servidor e tente novamente.</source>
        <translation>The server&apos;s database ran out of space (disk or database full) during the operation; nothing was changed. Free up space on the server and try again.</translation>
    </message>
    <message>
        <source>O banco de dados do servidor está somente leitura (sem permissão de gravação); nada foi alterado. Verifique as permissões do arquivo ou do banco de dados.</source>
        <translation>The server&apos;s database is read-only (no write permission); nothing was changed. Check the permissions of the file or of the database.</translation>
    </message>
    <message>
        <source>O banco de dados do servidor está corrompido; nada foi alterado. Restaure-o a partir de uma cópia de segurança.</source>
        <translation>The server&apos;s database is corrupt; nothing was changed. Restore it from a backup.</translation>
    </message>
    <message>
        <source>Erro de leitura ou gravação no disco do banco de dados do servidor; nada foi alterado.</source>
        <translation>Read or write error on the disk of the server&apos;s database; nothing was changed.</translation>
    </message>
    <message>
        <source>erro desconhecido</source>
        <translation>unknown error</translation>
    </message>
    <message>
        <source>%1 (detalhe: %2)</source>
        <translation>%1 (detail: %2)</translation>
    </message>
    <message>
        <source>Erro no banco de dados do servidor: %1</source>
        <translation>Error in the server&apos;s database: %1</translation>
    </message>
    <message>
        <source>Recurso não encontrado no servidor de aplicação.</source>
        <translation>Resource not found on the application server.</translation>
    </message>
    <message>
        <source>Este recurso aceita somente %1.</source>
        <translation>This resource accepts only %1.</translation>
    </message>
    <message>
        <source>O corpo da requisição excede o limite de %1 bytes; nada foi alterado.</source>
        <translation>The request body exceeds the limit of %1 bytes; nothing was changed.</translation>
    </message>
    <message>
        <source>Autenticação necessária: entre no servidor de aplicação e envie o token da sessão.</source>
        <translation>Authentication required: log in to the application server and send the session token.</translation>
    </message>
</context>
</TS>
