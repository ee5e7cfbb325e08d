// Quillmark in VS Code: the language server `quillmark lsp` for the vb6
// language, and commands that ask for the texts the tool window takes from
// its boxes before they insert at the cursor.
import * as vscode from 'vscode';
import {
  ExecuteCommandRequest,
  LanguageClient,
  LanguageClientOptions,
  ServerOptions,
} from 'vscode-languageclient/node';

let client: LanguageClient | undefined;

// The commands that ask for texts: the command, the insert, and each text's
// argument with its prompt. An empty answer leaves that section empty.
const inserts: [string, string, [string, string][]][] = [
  ['quillmark.procedureHeader', 'procedure', [
    ['description', 'Description'], ['inputs', 'Inputs'], ['assumptions', 'Assumptions'], ['results', 'Results'],
  ]],
  ['quillmark.moduleHeader', 'module', [['description', "The module's description"]]],
  ['quillmark.commentBlock', 'comment', [['text', 'Comment']]],
  ['quillmark.revisionNote', 'revision', [['text', 'What changed']]],
];

export async function activate(context: vscode.ExtensionContext): Promise<void> {
  const settings = vscode.workspace.getConfiguration('quillmark');
  const log = settings.get<string>('logFile', '');
  const serverOptions: ServerOptions = {
    command: settings.get<string>('serverPath', 'quillmark') || 'quillmark',
    args: log ? ['lsp', '--log', log] : ['lsp'],
  };
  const clientOptions: LanguageClientOptions = { documentSelector: [{ language: 'vb6' }] };
  client = new LanguageClient('quillmark', 'Quillmark', serverOptions, clientOptions);
  await client.start();

  for (const [id, insert, texts] of inserts) {
    context.subscriptions.push(vscode.commands.registerCommand(id, async () => {
      const editor = vscode.window.activeTextEditor;
      if (!editor || !client) return;
      const args: Record<string, unknown> = {
        uri: editor.document.uri.toString(),
        line: editor.selection.active.line,
        insert,
      };
      for (const [name, prompt] of texts) {
        const value = await vscode.window.showInputBox({ prompt, ignoreFocusOut: true });
        if (value === undefined) return;  // cancelled: nothing is inserted
        if (value !== '') args[name] = value;
      }
      await client.sendRequest(ExecuteCommandRequest.type, { command: 'quillmark.insert', arguments: [args] });
    }));
  }
}

export function deactivate(): Thenable<void> | undefined {
  return client?.stop();
}
