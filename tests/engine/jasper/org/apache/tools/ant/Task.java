package org.apache.tools.ant;
public class Task {
    public void execute() throws BuildException {}
    public Project getProject() { return null; }
    public void log(String message) {}
    public void log(String message, int level) {}
}
