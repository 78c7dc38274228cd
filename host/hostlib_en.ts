<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en">
<context>
    <name>AppServerClient</name>
    <message>
        <source>Formulário principal não informado: não é possível acessar o servidor de aplicação.</source>
        <translation>Main form not given: the application server cannot be reached.</translation>
    </message>
    <message>
        <source>O formulário principal não possui o componente de conexão &quot;%1&quot; com o servidor de aplicação.</source>
        <translation>The main form does not have the connection component &quot;%1&quot; to the application server.</translation>
    </message>
    <message>
        <source>O componente de conexão não fornece o servidor de aplicação.</source>
        <translation>The connection component does not provide the application server.</translation>
    </message>
    <message>
        <source>Servidor de aplicação não disponível.</source>
        <translation>Application server not available.</translation>
    </message>
    <message>
        <source>Não foi possível chamar o método &quot;%1&quot; do servidor de aplicação.</source>
        <translation>Could not call the method &quot;%1&quot; of the application server.</translation>
    </message>
</context>
<context>
    <name>FilterParser</name>
    <message>
        <source>Não foi possível interpretar o filtro %1: %2.</source>
        <translation>Could not read the filter %1: %2.</translation>
    </message>
    <message>
        <source>a expressão termina antes do esperado</source>
        <translation>the expression ends too early</translation>
    </message>
    <message>
        <source>texto inesperado &quot;%1&quot; na posição %2</source>
        <translation>unexpected text &quot;%1&quot; at position %2</translation>
    </message>
    <message>
        <source>apóstrofo sem fechamento na posição %1</source>
        <translation>unclosed apostrophe at position %1</translation>
    </message>
    <message>
        <source>campo %1 não encontrado</source>
        <translation>field %1 not found</translation>
    </message>
    <message>
        <source>a expressão passa de %1 níveis de parênteses, Not, And e Or</source>
        <translation>the expression exceeds %1 levels of parentheses, Not, And and Or</translation>
    </message>
</context>
<context>
    <name>Guard</name>
    <message>
        <source>Erro inesperado.</source>
        <translation>Unexpected error.</translation>
    </message>
    <message>
        <source>Erro</source>
        <translation>Error</translation>
    </message>
</context>
<context>
    <name>HttpAppServer</name>
    <message>
        <source>a conexão foi recusada</source>
        <translation>the connection was refused</translation>
    </message>
    <message>
        <source>o endereço não foi encontrado</source>
        <translation>the address was not found</translation>
    </message>
    <message>
        <source>o servidor fechou a conexão antes de responder</source>
        <translation>the server closed the connection before answering</translation>
    </message>
    <message>
        <source>a conexão segura (TLS) falhou</source>
        <translation>the secure connection (TLS) failed</translation>
    </message>
    <message>
        <source>falha de comunicação</source>
        <translation>communication failure</translation>
    </message>
    <message>
        <source>Não foi possível falar com o servidor de aplicação em %1: %2 (%3).</source>
        <translation>Could not reach the application server at %1: %2 (%3).</translation>
    </message>
    <message>
        <source>Entrada no servidor de aplicação cancelada pelo usuário.</source>
        <translation>Login to the application server cancelled by the user.</translation>
    </message>
    <message>
        <source>Resposta ilegível do servidor de aplicação: %1</source>
        <translation>Unreadable answer from the application server: %1</translation>
    </message>
    <message>
        <source>O servidor de aplicação não forneceu a sessão.</source>
        <translation>The application server did not provide the session.</translation>
    </message>
    <message>
        <source>A sessão no servidor de aplicação expirou. Entre novamente.</source>
        <translation>The session on the application server has expired. Please log in again.</translation>
    </message>
    <message>
        <source>O servidor de aplicação recusou a sessão recém-aberta.</source>
        <translation>The application server refused the session it had just opened.</translation>
    </message>
    <message>
        <source>Resposta ilegível do servidor de aplicação: %1 argumentos devolvidos para %2 enviados.</source>
        <translation>Unreadable answer from the application server: %1 arguments returned for %2 sent.</translation>
    </message>
    <message>
        <source>O servidor de aplicação em %1 não respondeu em %2 segundos.</source>
        <translation>The application server at %1 did not answer within %2 seconds.</translation>
    </message>
    <message>
        <source>O servidor de aplicação respondeu com o erro HTTP %1.</source>
        <translation>The application server answered with HTTP error %1.</translation>
    </message>
</context>
<context>
    <name>ModuleLoader</name>
    <message>
        <source>Não foi possível carregar o módulo &quot;%1&quot;: %2</source>
        <translation>Could not load the module &quot;%1&quot;: %2</translation>
    </message>
    <message>
        <source>O módulo &quot;%1&quot; não exporta a função %2.</source>
        <translation>The module &quot;%1&quot; does not export the function %2.</translation>
    </message>
    <message>
        <source>O módulo &quot;%1&quot; foi construído para a versão %2 da interface de módulos; este programa usa a versão %3.</source>
        <translation>The module &quot;%1&quot; was built for version %2 of the module interface; this program uses version %3.</translation>
    </message>
</context>
<context>
    <name>PesqDialog</name>
    <message>
        <source>Procurar</source>
        <translation>Search</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Cancelar</source>
        <translation>Cancel</translation>
    </message>
</context>
<context>
    <name>Pesqlista</name>
    <message>
        <source>Pesquisa sem conjunto de dados associado.</source>
        <translation>Search without an associated data set.</translation>
    </message>
    <message>
        <source>Não há registros para pesquisar.</source>
        <translation>There are no records to search.</translation>
    </message>
</context>
<context>
    <name>TADOIBQuery</name>
    <message>
        <source>Erro no banco de dados: %1</source>
        <translation>Database error: %1</translation>
    </message>
    <message>
        <source>A conexão com o banco de dados &quot;%1&quot; não foi criada.</source>
        <translation>The database connection &quot;%1&quot; has not been created.</translation>
    </message>
    <message>
        <source>A consulta não tem texto SQL.</source>
        <translation>The query has no SQL text.</translation>
    </message>
    <message>
        <source>A consulta não devolveu registros.</source>
        <translation>The query returned no records.</translation>
    </message>
    <message>
        <source>Campo %1 não encontrado no resultado da consulta.</source>
        <translation>Field %1 not found in the query result.</translation>
    </message>
</context>
<context>
    <name>TBtnPesquisa</name>
    <message>
        <source>Pesquisar</source>
        <translation>Search</translation>
    </message>
    <message>
        <source>Pesquisa sem conjunto de dados associado.</source>
        <translation>Search without an associated data set.</translation>
    </message>
    <message>
        <source>Não há registros para pesquisar.</source>
        <translation>There are no records to search.</translation>
    </message>
</context>
<context>
    <name>TClientDataSet</name>
    <message>
        <source>Pacote de dados inválido: o valor recebido não é um pacote.</source>
        <translation>Invalid data packet: the value received is not a packet.</translation>
    </message>
    <message>
        <source>O pacote de dados não traz o campo %1.</source>
        <translation>The data packet does not carry the field %1.</translation>
    </message>
    <message>
        <source>O conjunto de dados não tem campos definidos nem dados carregados.</source>
        <translation>The data set has neither defined fields nor loaded data.</translation>
    </message>
    <message>
        <source>Campo %1 do índice não encontrado.</source>
        <translation>Index field %1 not found.</translation>
    </message>
    <message>
        <source>Operação não permitida: o conjunto de dados está fechado.</source>
        <translation>Operation not allowed: the data set is closed.</translation>
    </message>
    <message>
        <source>Localização com número de campos (%1) diferente do de valores (%2).</source>
        <translation>Locate with a number of fields (%1) other than the number of values (%2).</translation>
    </message>
</context>
<context>
    <name>TDBGrid</name>
    <message>
        <source>Coluna %1 inexistente na grade.</source>
        <translation>Column %1 does not exist in the grid.</translation>
    </message>
</context>
<context>
    <name>TDataSet</name>
    <message>
        <source>Operação não permitida: o conjunto de dados está fechado.</source>
        <translation>Operation not allowed: the data set is closed.</translation>
    </message>
    <message>
        <source>&quot;%1&quot; não é um valor válido para o campo %2.</source>
        <translation>&quot;%1&quot; is not a valid value for the field %2.</translation>
    </message>
    <message>
        <source>Não é possível incluir o campo %1 com o conjunto de dados aberto.</source>
        <translation>Cannot add the field %1 while the data set is open.</translation>
    </message>
    <message>
        <source>Nome de campo vazio.</source>
        <translation>Empty field name.</translation>
    </message>
    <message>
        <source>Campo %1 duplicado.</source>
        <translation>Duplicate field %1.</translation>
    </message>
    <message>
        <source>Índice de campo fora do intervalo: %1.</source>
        <translation>Field index out of range: %1.</translation>
    </message>
    <message>
        <source>Campo %1 não encontrado.</source>
        <translation>Field %1 not found.</translation>
    </message>
    <message>
        <source>Campo %1 não encontrado em %2.</source>
        <translation>Field %1 not found in %2.</translation>
    </message>
    <message>
        <source>Não é possível modificar um conjunto de dados somente de leitura.</source>
        <translation>Cannot modify a read-only data set.</translation>
    </message>
    <message>
        <source>Não há registro para editar.</source>
        <translation>There is no record to edit.</translation>
    </message>
    <message>
        <source>O conjunto de dados não está em modo de edição.</source>
        <translation>The data set is not in edit mode.</translation>
    </message>
    <message>
        <source>O campo %1 não pode ser modificado.</source>
        <translation>The field %1 cannot be modified.</translation>
    </message>
</context>
<context>
    <name>TMessages</name>
    <message>
        <source>Mensagem &quot;%1&quot; não encontrada na tabela de mensagens.</source>
        <translation>Message &quot;%1&quot; not found in the message table.</translation>
    </message>
</context>
<context>
    <name>TfrmRotiGeral</name>
    <message>
        <source>Confirmar</source>
        <translation>Confirm</translation>
    </message>
    <message>
        <source>Fechar</source>
        <translation>Close</translation>
    </message>
</context>
</TS>
