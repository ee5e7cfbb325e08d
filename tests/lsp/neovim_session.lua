-- A user's session in headless Neovim with the setup from docs/neovim.lua:
-- open QM_FILE, take the code action "Quillmark: procedure header" at line
-- QM_LINE, format the module, save, quit. Any failure quits with status 1.
local ok, problem = pcall(function()
  vim.g.quillmark_command = os.getenv('QM_BINARY')
  dofile(os.getenv('QM_SETUP'))
  vim.cmd('edit ' .. vim.fn.fnameescape(os.getenv('QM_FILE')))
  local buf = vim.api.nvim_get_current_buf()
  local function client()
    return vim.lsp.buf_get_clients(buf)[next(vim.lsp.buf_get_clients(buf)) or 0]
  end
  assert(vim.wait(10000, function() return client() ~= nil and client().initialized end), 'the server did not start')
  local line = tonumber(os.getenv('QM_LINE')) - 1
  local at = { line = line, character = 0 }
  local answers = vim.lsp.buf_request_sync(buf, 'textDocument/codeAction', {
    textDocument = vim.lsp.util.make_text_document_params(buf),
    range = { start = at, ['end'] = at },
    context = { diagnostics = {} },
  }, 10000)
  local chosen
  for _, answer in pairs(answers or {}) do
    for _, action in ipairs(answer.result or {}) do
      if action.title == 'Quillmark: procedure header' then chosen = action end
    end
  end
  assert(chosen, 'no action "Quillmark: procedure header"')
  local before = vim.api.nvim_buf_get_changedtick(buf)
  client().request_sync('workspace/executeCommand', chosen.command, 10000, buf)
  assert(vim.wait(10000, function() return vim.api.nvim_buf_get_changedtick(buf) ~= before end),
         'the header was not applied')
  vim.lsp.buf.formatting_sync(nil, 10000)
  vim.cmd('write')
end)
if not ok then
  io.stderr:write(tostring(problem) .. '\n')
  vim.cmd('cquit 1')
end
vim.cmd('qall!')
