;;; eglot_test.el --- Emacs and eglot run tagora-lsp's code actions  -*- lexical-binding: t; -*-
;; Each step of $TAGORA_STEPS opens its file in a mode of its language,
;; connects eglot (one server per mode, as eglot 1.9 gives each server one
;; language), asks for the code actions of a range (eglot-code-actions),
;; runs the one of the step's title the way eglot's menu runs it, and saves.
;; The literal edited as HTML is opened from the file the server names (in
;; $TMPDIR) and saved without eglot: the server sees the save itself. Run
;; by editor_test.py, which judges the files.
(require 'eglot)
(require 'json)

(define-derived-mode php-mode prog-mode "PHP")
(define-derived-mode jsp-mode prog-mode "JSP")
(define-derived-mode aspvbs-mode prog-mode "ASP")

(defconst tagora-lsp (getenv "TAGORA_LSP"))
(defconst tagora-modes '(("php" . php-mode) ("javascript" . js-mode) ("jsp" . jsp-mode)
                         ("aspvbs" . aspvbs-mode) ("html" . html-mode)))
(dolist (mode tagora-modes)
  (add-to-list 'eglot-server-programs `(,(cdr mode) . (,tagora-lsp))))
(setq eglot-confirm-server-initiated-edits nil
      make-backup-files nil
      create-lockfiles nil
      auto-save-default nil
      require-final-newline nil
      mode-require-final-newline nil)  ; a file saved as the server made it

(defun tagora-fail (format-string &rest arguments)
  (message "emacs: %s" (apply #'format format-string arguments))
  (kill-emacs 1))

(defun tagora-open (file language)
  (find-file file)
  (funcall (cdr (assoc language tagora-modes)))
  (setq buffer-file-coding-system 'utf-8-unix)
  (unless (eglot-current-server)
    (apply #'eglot (eglot--guess-contact)))
  (unless (eglot-current-server)
    (tagora-fail "eglot did not connect for %s" file)))

(defun tagora-position (offset)
  (byte-to-position (1+ offset)))

(defun tagora-run-action (title start end)
  (let* ((actions (eglot-code-actions (tagora-position start) (tagora-position end)))
         (chosen (seq-find (lambda (action) (equal (plist-get action :title) title)) actions)))
    (unless chosen
      (tagora-fail "no action %S among %S" title (mapcar (lambda (a) (plist-get a :title)) actions)))
    ;; With a kind and one action, eglot runs it as its menu would.
    (eglot--read-execute-code-action (list chosen) (eglot-current-server) (plist-get chosen :kind))))

(defun tagora-wait (predicate what)
  (let ((waited 0))
    (while (and (not (funcall predicate)) (< waited 100))
      (accept-process-output nil 0.1)
      (setq waited (1+ waited)))
    (unless (funcall predicate)
      (tagora-fail "waited in vain for %s" what))))

(defun tagora-edit-as-html (html origin)
  (let ((files nil))
    (tagora-wait (lambda ()
                   (setq files (file-expand-wildcards
                                (expand-file-name "tagora-lsp-*/literal-*.html" (getenv "TMPDIR")))))
                 "the HTML file")
    (let ((tick (buffer-chars-modified-tick origin)))
      (with-current-buffer (find-file-noselect (car files))
        (erase-buffer)
        (insert html)
        (save-buffer))
      (tagora-wait (lambda () (/= tick (buffer-chars-modified-tick origin))) "the literal written back"))))

(let ((steps (json-read-file (getenv "TAGORA_STEPS")))
      (work (getenv "TAGORA_WORK")))
  (condition-case failure
      (progn
        (seq-doseq (step steps)
          (let-alist step
            (tagora-open (expand-file-name .file work) .language)
            (let ((buffer (current-buffer))
                  (tick (buffer-chars-modified-tick)))
              (tagora-run-action .title .start .end)
              (if .html
                  (tagora-edit-as-html .html buffer)
                (tagora-wait (lambda () (/= tick (buffer-chars-modified-tick buffer))) .file))
              (with-current-buffer buffer (save-buffer)))))
        (dolist (server (hash-table-values eglot--servers-by-project))
          (dolist (each server) (ignore-errors (eglot-shutdown each))))
        (kill-emacs 0))
    (error (tagora-fail "%S" failure))))
