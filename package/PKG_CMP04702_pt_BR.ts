<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="pt_BR">
<context>
    <name>Cli_cmp04702</name>
    <message>
        <source>O formulário hospedeiro não foi informado.</source>
        <translation>O formulário hospedeiro não foi informado.</translation>
    </message>
    <message>
        <source>O formulário hospedeiro informado não é uma janela ativa da aplicação.</source>
        <translation>O formulário hospedeiro informado não é uma janela ativa da aplicação.</translation>
    </message>
</context>
<context>
    <name>GridText</name>
    <message>
        <source>Não foi possível gravar o arquivo &quot;%1&quot;: %2</source>
        <translation>Não foi possível gravar o arquivo &quot;%1&quot;: %2</translation>
    </message>
    <message>
        <source>Não foi possível criar o arquivo &quot;%1&quot;: %2</source>
        <translation>Não foi possível criar o arquivo &quot;%1&quot;: %2</translation>
    </message>
</context>
<context>
    <name>Package</name>
    <message>
        <source>Parâmetros de abertura inválidos: %1.</source>
        <translation>Parâmetros de abertura inválidos: %1.</translation>
    </message>
    <message>
        <source>era esperada uma lista de valores</source>
        <translation>era esperada uma lista de valores</translation>
    </message>
    <message>
        <source>a lista não tem o formulário hospedeiro</source>
        <translation>a lista não tem o formulário hospedeiro</translation>
    </message>
    <message>
        <source>o formulário hospedeiro não é um número</source>
        <translation>o formulário hospedeiro não é um número</translation>
    </message>
</context>
<context>
    <name>TfrmCadAutRF</name>
    <message>
        <source>Cadastramento Automático</source>
        <translation>Cadastramento Automático</translation>
    </message>
    <message>
        <source>Fornecedor que Atende</source>
        <translation>Fornecedor que Atende</translation>
    </message>
    <message>
        <source>Fil_D_Inf|Filial deve ser informada.</source>
        <translation>Fil_D_Inf|Filial deve ser informada.</translation>
    </message>
    <message>
        <source>Forn_D_Inf|Fornecedor deve ser informado.</source>
        <translation>Forn_D_Inf|Fornecedor deve ser informado.</translation>
    </message>
    <message>
        <source>Sucess|O cadastramento automático foi realizado com sucesso.</source>
        <translation>Sucess|O cadastramento automático foi realizado com sucesso.</translation>
    </message>
    <message>
        <source>FILIAL|Filial</source>
        <translation>FILIAL|Filial</translation>
    </message>
    <message>
        <source>Fil_N_Cad|Não há filial cadastrada.</source>
        <translation>Fil_N_Cad|Não há filial cadastrada.</translation>
    </message>
    <message>
        <source>FORNECEDOR|Fornecedor</source>
        <translation>FORNECEDOR|Fornecedor</translation>
    </message>
    <message>
        <source>FORN_NAO_CAD|Não há fornecedor cadastrado.</source>
        <translation>FORN_NAO_CAD|Não há fornecedor cadastrado.</translation>
    </message>
    <message>
        <source>CadAuto|Efetuando cadastramento automático no servidor...</source>
        <translation>CadAuto|Efetuando cadastramento automático no servidor...</translation>
    </message>
    <message>
        <source>PERIODICIDADE|Periodicidade</source>
        <translation>PERIODICIDADE|Periodicidade</translation>
    </message>
    <message>
        <source>PERIOD_NAO_CAD|Não há periodicidade cadastrada.</source>
        <translation>PERIOD_NAO_CAD|Não há periodicidade cadastrada.</translation>
    </message>
    <message>
        <source>Period_DINF|Periodicidade deve ser informada.</source>
        <translation>Period_DINF|Periodicidade deve ser informada.</translation>
    </message>
    <message>
        <source>PERIENTR_NCAD|Periodicidade não cadastrada.</source>
        <translation>PERIENTR_NCAD|Periodicidade não cadastrada.</translation>
    </message>
    <message>
        <source>msg_Alert|Atenção! Existem filiais atendidas com periodicidade diferenciada. Confirma operação?</source>
        <translation>msg_Alert|Atenção! Existem filiais atendidas com periodicidade diferenciada. Confirma operação?</translation>
    </message>
    <message>
        <source>REG_NAO_CAD|Não há região cadastrada.</source>
        <translation>REG_NAO_CAD|Não há região cadastrada.</translation>
    </message>
    <message>
        <source>REGIAO|Região</source>
        <translation>REGIAO|Região</translation>
    </message>
    <message>
        <source>Reg_D_Inf|Região deve ser informada.</source>
        <translation>Reg_D_Inf|Região deve ser informada.</translation>
    </message>
    <message>
        <source>Região</source>
        <translation>Região</translation>
    </message>
    <message>
        <source>Todas</source>
        <translation>Todas</translation>
    </message>
    <message>
        <source>Lista</source>
        <translation>Lista</translation>
    </message>
    <message>
        <source>Pesquisar</source>
        <translation>Pesquisar</translation>
    </message>
    <message>
        <source>Filial</source>
        <translation>Filial</translation>
    </message>
    <message>
        <source>Fornecedor</source>
        <translation>Fornecedor</translation>
    </message>
    <message>
        <source>Todos</source>
        <translation>Todos</translation>
    </message>
    <message>
        <source>Periodicidade</source>
        <translation>Periodicidade</translation>
    </message>
    <message>
        <source>Código</source>
        <translation>Código</translation>
    </message>
    <message>
        <source>Não há periodicidade cadastrada.</source>
        <translation>Não há periodicidade cadastrada.</translation>
    </message>
    <message>
        <source>Prazo para Expedição</source>
        <translation>Prazo para Expedição</translation>
    </message>
    <message>
        <source>Resposta inválida do servidor de aplicação em %1: faltam elementos no resultado.</source>
        <translation>Resposta inválida do servidor de aplicação em %1: faltam elementos no resultado.</translation>
    </message>
    <message>
        <source>Inscrição</source>
        <translation>Inscrição</translation>
    </message>
    <message>
        <source>Nome Fantasia</source>
        <translation>Nome Fantasia</translation>
    </message>
    <message>
        <source>Razão Social</source>
        <translation>Razão Social</translation>
    </message>
    <message>
        <source>Nome</source>
        <translation>Nome</translation>
    </message>
    <message>
        <source>Nome da Filial</source>
        <translation>Nome da Filial</translation>
    </message>
    <message>
        <source>País</source>
        <translation>País</translation>
    </message>
    <message>
        <source>Nome do País</source>
        <translation>Nome do País</translation>
    </message>
    <message>
        <source>Estado</source>
        <translation>Estado</translation>
    </message>
    <message>
        <source>Nome do Estado</source>
        <translation>Nome do Estado</translation>
    </message>
    <message>
        <source>Município</source>
        <translation>Município</translation>
    </message>
    <message>
        <source>Nome do Município</source>
        <translation>Nome do Município</translation>
    </message>
    <message>
        <source>Prazo para expedição inválido: &quot;%1&quot; não é um número.</source>
        <translation>Prazo para expedição inválido: &quot;%1&quot; não é um número.</translation>
    </message>
    <message>
        <source>Aviso</source>
        <translation>Aviso</translation>
    </message>
    <message>
        <source>Confirmação</source>
        <translation>Confirmação</translation>
    </message>
</context>
<context>
    <name>TfrmErroForneAteFili</name>
    <message>
        <source>Erro</source>
        <translation>Erro</translation>
    </message>
    <message>
        <source>Oper_bloq|Operação bloqueada. Existem filiais cuja região não é atendida pelos fornecedores escolhidos</source>
        <translation>Oper_bloq|Operação bloqueada. Existem filiais cuja região não é atendida pelos fornecedores escolhidos</translation>
    </message>
    <message>
        <source>Folha de Dados (Grade)</source>
        <translation>Folha de Dados (Grade)</translation>
    </message>
    <message>
        <source>&amp;OK</source>
        <translation>&amp;OK</translation>
    </message>
    <message>
        <source>Exibindo %1 de %2 pares bloqueados.</source>
        <translation>Exibindo %1 de %2 pares bloqueados.</translation>
    </message>
    <message>
        <source>&amp;Copiar</source>
        <translation>&amp;Copiar</translation>
    </message>
    <message>
        <source>&amp;Exportar para CSV…</source>
        <translation>&amp;Exportar para CSV…</translation>
    </message>
    <message>
        <source>Exportar para CSV</source>
        <translation>Exportar para CSV</translation>
    </message>
    <message>
        <source>Arquivos CSV (*.csv)</source>
        <translation>Arquivos CSV (*.csv)</translation>
    </message>
    <message>
        <source>filiais_bloqueadas.csv</source>
        <translation>filiais_bloqueadas.csv</translation>
    </message>
</context>
<context>
    <name>TfrmPesqListaFilAtende</name>
    <message>
        <source>Cap_Esg|Tamanho da lista acima dos limites.</source>
        <translation>Cap_Esg|Tamanho da lista acima dos limites.</translation>
    </message>
    <message>
        <source>pesq_empty|Não há %s cadastrado(a).</source>
        <translation>pesq_empty|Não há %s cadastrado(a).</translation>
    </message>
    <message>
        <source>Campo</source>
        <translation>Campo</translation>
    </message>
    <message>
        <source>Procurar</source>
        <translation>Procurar</translation>
    </message>
    <message>
        <source>A pesquisa não tem conjunto de dados.</source>
        <translation>A pesquisa não tem conjunto de dados.</translation>
    </message>
    <message>
        <source>Não há campo para a pesquisa.</source>
        <translation>Não há campo para a pesquisa.</translation>
    </message>
</context>
</TS>
