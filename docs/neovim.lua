-- Quillmark's language server in Neovim (0.7 or later). Copy this file into
-- your configuration, e.g. ~/.config/nvim/plugin/quillmark.lua. Every VB
-- module you open is served by one `quillmark lsp`; then
--   :lua vim.lsp.buf.code_action()   the "Quillmark: ..." inserts at the cursor
--   :lua vim.lsp.buf.formatting()    the indenter over the module (0.8: format())
-- Set vim.g.quillmark_command to the program's path when it is not on PATH.
-- Modules are read and written as Quillmark reads them: Windows-1252 unless
-- they start with a byte order mark; new ones get CR LF.
local client_id
local patterns = { '*.bas', '*.cls', '*.frm', '*.ctl', '*.dsr', '*.pag' }
local encodings

local function attach(args)
  if client_id == nil or vim.lsp.get_client_by_id(client_id) == nil then
    client_id = vim.lsp.start_client({
      name = 'quillmark',
      cmd = { vim.g.quillmark_command or 'quillmark', 'lsp' },
      root_dir = vim.fn.getcwd(),
      flags = { debounce_text_changes = 50 },
    })
  end
  vim.lsp.buf_attach_client(args.buf, client_id)
end

vim.api.nvim_create_autocmd('BufReadPre', {
  pattern = patterns,
  callback = function()
    encodings = vim.o.fileencodings
    vim.o.fileencodings = 'ucs-bom,cp1252'
  end,
})
vim.api.nvim_create_autocmd('BufReadPost', {
  pattern = patterns,
  callback = function(args)
    if encodings then vim.o.fileencodings = encodings end
    attach(args)
  end,
})
vim.api.nvim_create_autocmd('BufNewFile', {
  pattern = patterns,
  callback = function(args)
    vim.bo[args.buf].fileencoding = 'cp1252'
    vim.bo[args.buf].fileformat = 'dos'
    attach(args)
  end,
})
