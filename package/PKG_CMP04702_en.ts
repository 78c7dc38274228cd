<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en">
<context>
    <name>Cli_cmp04702</name>
    <message>
        <source>O formulário hospedeiro não foi informado.</source>
        <translation>The host form was not given.</translation>
    </message>
    <message>
        <source>O formulário hospedeiro informado não é uma janela ativa da aplicação.</source>
        <translation>The host form given is not a live window of the application.</translation>
    </message>
</context>
<context>
    <name>GridText</name>
    <message>
        <source>Não foi possível gravar o arquivo &quot;%1&quot;: %2</source>
        <translation>Could not write the file &quot;%1&quot;: %2</translation>
    </message>
    <message>
        <source>Não foi possível criar o arquivo &quot;%1&quot;: %2</source>
        <translation>Could not create the file &quot;%1&quot;: %2</translation>
    </message>
</context>
<context>
    <name>Package</name>
    <message>
        <source>Parâmetros de abertura inválidos: %1.</source>
        <translation>Invalid launch parameters: %1.</translation>
    </message>
    <message>
        <source>era esperada uma lista de valores</source>
        <translation>a list of values was expected</translation>
    </message>
    <message>
        <source>a lista não tem o formulário hospedeiro</source>
        <translation>the list does not hold the host form</translation>
    </message>
    <message>
        <source>o formulário hospedeiro não é um número</source>
        <translation>the host form is not a number</translation>
    </message>
</context>
<context>
    <name>TfrmCadAutRF</name>
    <message>
        <source>Cadastramento Automático</source>
        <translation>Automatic Registration</translation>
    </message>
    <message>
        <source>Fornecedor que Atende</source>
        <translation>Serving Supplier</translation>
    </message>
    <message>
        <source>Fil_D_Inf|Filial deve ser informada.</source>
        <translation>Fil_D_Inf|The branch must be specified.</translation>
    </message>
    <message>
        <source>Forn_D_Inf|Fornecedor deve ser informado.</source>
        <translation>Forn_D_Inf|The supplier must be specified.</translation>
    </message>
    <message>
        <source>Sucess|O cadastramento automático foi realizado com sucesso.</source>
        <translation>Sucess|The automatic registration was completed successfully.</translation>
    </message>
    <message>
        <source>FILIAL|Filial</source>
        <translation>FILIAL|Branch</translation>
    </message>
    <message>
        <source>Fil_N_Cad|Não há filial cadastrada.</source>
        <translation>Fil_N_Cad|There is no branch registered.</translation>
    </message>
    <message>
        <source>FORNECEDOR|Fornecedor</source>
        <translation>FORNECEDOR|Supplier</translation>
    </message>
    <message>
        <source>FORN_NAO_CAD|Não há fornecedor cadastrado.</source>
        <translation>FORN_NAO_CAD|There is no supplier registered.</translation>
    </message>
    <message>
        <source>CadAuto|Efetuando cadastramento automático no servidor...</source>
        <translation>CadAuto|Running the automatic registration on the server...</translation>
    </message>
    <message>
        <source>PERIODICIDADE|Periodicidade</source>
        <translation>PERIODICIDADE|Frequency</translation>
    </message>
    <message>
        <source>PERIOD_NAO_CAD|Não há periodicidade cadastrada.</source>
        <translation>PERIOD_NAO_CAD|There is no delivery frequency registered.</translation>
    </message>
    <message>
        <source>Period_DINF|Periodicidade deve ser informada.</source>
        <translation>Period_DINF|The frequency must be specified.</translation>
    </message>
    <message>
        <source>PERIENTR_NCAD|Periodicidade não cadastrada.</source>
        <translation>PERIENTR_NCAD|Frequency not registered.</translation>
    </message>
    <message>
        <source>msg_Alert|Atenção! Existem filiais atendidas com periodicidade diferenciada. Confirma operação?</source>
        <translation>msg_Alert|Warning! Some branches are served with a different frequency. Do you confirm the operation?</translation>
    </message>
    <message>
        <source>REG_NAO_CAD|Não há região cadastrada.</source>
        <translation>REG_NAO_CAD|There is no region registered.</translation>
    </message>
    <message>
        <source>REGIAO|Região</source>
        <translation>REGIAO|Region</translation>
    </message>
    <message>
        <source>Reg_D_Inf|Região deve ser informada.</source>
        <translation>Reg_D_Inf|The region must be specified.</translation>
    </message>
    <message>
        <source>Região</source>
        <translation>Region</translation>
    </message>
    <message>
        <source>Todas</source>
        <translation>All</translation>
    </message>
    <message>
        <source>Lista</source>
        <translation>List</translation>
    </message>
    <message>
        <source>Pesquisar</source>
        <translation>Search</translation>
    </message>
    <message>
        <source>Filial</source>
        <translation>Branch</translation>
    </message>
    <message>
        <source>Fornecedor</source>
        <translation>Supplier</translation>
    </message>
    <message>
        <source>Todos</source>
        <translation>All</translation>
    </message>
    <message>
        <source>Periodicidade</source>
        <translation>Frequency</translation>
    </message>
    <message>
        <source>Código</source>
        <translation>Code</translation>
    </message>
    <message>
        <source>Não há periodicidade cadastrada.</source>
        <translation>There is no delivery frequency registered.</translation>
    </message>
    <message>
        <source>Prazo para Expedição</source>
        <translation>Dispatch Lead Time</translation>
    </message>
    <message>
        <source>Resposta inválida do servidor de aplicação em %1: faltam elementos no resultado.</source>
        <translation>Invalid answer from the application server in %1: the result is missing elements.</translation>
    </message>
    <message>
        <source>Inscrição</source>
        <translation>Tax ID</translation>
    </message>
    <message>
        <source>Nome Fantasia</source>
        <translation>Trade Name</translation>
    </message>
    <message>
        <source>Razão Social</source>
        <translation>Company Name</translation>
    </message>
    <message>
        <source>Nome</source>
        <translation>Name</translation>
    </message>
    <message>
        <source>Nome da Filial</source>
        <translation>Branch Name</translation>
    </message>
    <message>
        <source>País</source>
        <translation>Country</translation>
    </message>
    <message>
        <source>Nome do País</source>
        <translation>Country Name</translation>
    </message>
    <message>
        <source>Estado</source>
        <translation>State</translation>
    </message>
    <message>
        <source>Nome do Estado</source>
        <translation>State Name</translation>
    </message>
    <message>
        <source>Município</source>
        <translation>City</translation>
    </message>
    <message>
        <source>Nome do Município</source>
        <translation>City Name</translation>
    </message>
    <message>
        <source>Prazo para expedição inválido: &quot;%1&quot; não é um número.</source>
        <translation>Invalid dispatch lead time: &quot;%1&quot; is not a number.</translation>
    </message>
    <message>
        <source>Aviso</source>
        <translation>Warning</translation>
    </message>
    <message>
        <source>Confirmação</source>
        <translation>Confirmation</translation>
    </message>
</context>
<context>
    <name>TfrmErroForneAteFili</name>
    <message>
        <source>Erro</source>
        <translation>Error</translation>
    </message>
    <message>
        <source>Oper_bloq|Operação bloqueada. Existem filiais cuja região não é atendida pelos fornecedores escolhidos</source>
        <translation>Oper_bloq|Operation blocked. Some branches are in a region the chosen suppliers do not serve</translation>
    </message>
    <message>
        <source>Folha de Dados (Grade)</source>
        <translation>Data Sheet (Grid)</translation>
    </message>
    <message>
        <source>&amp;OK</source>
        <translation>&amp;OK</translation>
    </message>
    <message>
        <source>Exibindo %1 de %2 pares bloqueados.</source>
        <translation>Showing %1 of %2 blocked pairs.</translation>
    </message>
    <message>
        <source>&amp;Copiar</source>
        <translation>&amp;Copy</translation>
    </message>
    <message>
        <source>&amp;Exportar para CSV…</source>
        <translation>&amp;Export to CSV…</translation>
    </message>
    <message>
        <source>Exportar para CSV</source>
        <translation>Export to CSV</translation>
    </message>
    <message>
        <source>Arquivos CSV (*.csv)</source>
        <translation>CSV files (*.csv)</translation>
    </message>
    <message>
        <source>filiais_bloqueadas.csv</source>
        <translation>blocked_branches.csv</translation>
    </message>
</context>
<context>
    <name>TfrmPesqListaFilAtende</name>
    <message>
        <source>Cap_Esg|Tamanho da lista acima dos limites.</source>
        <translation>Cap_Esg|The list is larger than the limits allow.</translation>
    </message>
    <message>
        <source>pesq_empty|Não há %s cadastrado(a).</source>
        <translation>pesq_empty|There is no %s registered.</translation>
    </message>
    <message>
        <source>Campo</source>
        <translation>Field</translation>
    </message>
    <message>
        <source>Procurar</source>
        <translation>Search</translation>
    </message>
    <message>
        <source>A pesquisa não tem conjunto de dados.</source>
        <translation>The search has no data set.</translation>
    </message>
    <message>
        <source>Não há campo para a pesquisa.</source>
        <translation>There is no field to search by.</translation>
    </message>
</context>
</TS>
