package org.apache.tools.ant;
public class BuildException extends RuntimeException {
    public BuildException() {}
    public BuildException(String m) { super(m); }
    public BuildException(Throwable t) { super(t); }
    public BuildException(String m, Throwable t) { super(m, t); }
}
