-- Neovim's built-in LSP client runs tagora-lsp's code actions as a user
-- would: each step of $TAGORA_STEPS opens its file, asks for the code
-- actions of a range (vim.lsp.buf.range_code_action), picks the one of the
-- step's title where the menu would show it (vim.ui.select), waits for the
-- edit and saves. Run by editor_test.py, which judges the files.
local lsp_program = os.getenv('TAGORA_LSP')
local work = os.getenv('TAGORA_WORK')
local steps = vim.fn.json_decode(table.concat(vim.fn.readfile(os.getenv('TAGORA_STEPS')), '\n'))

vim.o.selection = 'exclusive'  -- a range ends where the selection ends
vim.o.hidden = true
vim.o.swapfile = false

local function fail(message)
  io.stderr:write('neovim: ' .. message .. '\n')
  vim.cmd('cquit 1')
end

local messages = {}
vim.lsp.handlers['window/showMessage'] = function(_, result)
  table.insert(messages, result.message)
end

local wanted_title
vim.ui.select = function(items, options, on_choice)
  for _, item in ipairs(items) do
    if options.format_item(item) == wanted_title then
      return on_choice(item)
    end
  end
  local titles = {}
  for _, item in ipairs(items) do
    table.insert(titles, options.format_item(item))
  end
  fail('no action "' .. wanted_title .. '" among: ' .. table.concat(titles, ' | '))
end

local client_id = vim.lsp.start_client({ name = 'tagora', cmd = { lsp_program }, root_dir = work })

-- A byte offset of the buffer as a mark position: {row from 1, byte column}.
local function mark_position(offset)
  local row = vim.fn.byte2line(offset + 1)
  if row < 0 then  -- the end of the buffer
    row = vim.fn.line('$')
    return { row, #vim.fn.getline(row) }
  end
  return { row, offset + 1 - vim.fn.line2byte(row) }
end

local function wait_for_change(buffer, tick, what)
  if not vim.wait(10000, function() return vim.api.nvim_buf_get_changedtick(buffer) ~= tick end, 20) then
    fail('no edit came for ' .. what)
  end
end

local function open(path, filetype)
  vim.cmd('edit ' .. vim.fn.fnameescape(path))
  local buffer = vim.api.nvim_get_current_buf()
  vim.bo.filetype = filetype
  vim.lsp.buf_attach_client(buffer, client_id)
  local client = vim.lsp.get_client_by_id(client_id)
  if not vim.wait(10000, function() return client.initialized end, 20) then
    fail('tagora-lsp did not start')
  end
  return buffer
end

-- The literal's text opens as HTML; saving it writes the literal back.
local function edit_as_html(step, origin)
  if not vim.wait(10000, function() return #messages > 0 end, 20) then
    fail('no message names the HTML file')
  end
  local path = messages[#messages]:match('in (/.-%.html):')
  if not path then
    fail('no file in: ' .. messages[#messages])
  end
  local html = open(path, 'html')
  local lines = vim.split(step.html, '\n', true)
  table.remove(lines)  -- the text ends with a line break: 'eol' writes it
  vim.api.nvim_buf_set_lines(html, 0, -1, true, lines)
  vim.bo.eol = true
  vim.bo.fixeol = true
  local tick = vim.api.nvim_buf_get_changedtick(origin)
  vim.cmd('write')
  wait_for_change(origin, tick, 'the saved HTML')
  vim.cmd('buffer ' .. origin)
end

for _, step in ipairs(steps) do
  local buffer = open(work .. '/' .. step.file, step.language)
  if step.language == 'html' then
    -- A script's own lines end in CR LF, and it has no final line break:
    -- Neovim writes them so in a DOS buffer that adds none.
    vim.bo.fileformat = 'dos'
    vim.bo.eol = false
    vim.bo.fixeol = false
  end
  local tick = vim.api.nvim_buf_get_changedtick(buffer)
  wanted_title = step.title
  vim.lsp.buf.range_code_action(nil, mark_position(step.start), mark_position(step['end']))
  if step.html then
    local count = #messages
    if not vim.wait(10000, function() return #messages > count end, 20) then
      fail('no message names the HTML file')
    end
    edit_as_html(step, buffer)
  else
    wait_for_change(buffer, tick, step.file)
  end
  vim.cmd('write')
end

vim.lsp.stop_client(client_id)
vim.wait(5000, function() return vim.lsp.get_client_by_id(client_id) == nil end, 20)
vim.cmd('qall!')
